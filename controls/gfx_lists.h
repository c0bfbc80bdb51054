#pragma once
// TGfxStringList and TGfxWaveList: lists of string lists and of sounds,
// stored in their window's description; and TGfxContainer, which holds one
// list of each kind.
//
// A string item's binary property "Internal" is the item header (see
// gfx_containers.h), then, when it has strings, their stream image in the
// object form of gfx_propstream.h; a wave item's the header, then, when it
// has data, the wave's raw or compressed form. An item without data reads
// back empty.

#include "gfx_bitmaplist.h"
#include "gfx_imagelist.h"
#include "gfx_wave.h"

#include <QStringList>

class TGfxStringListItem : public TGfxListItem {
public:
    explicit TGfxStringListItem(QObject* AOwner = nullptr);

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& Value);

    void Clear() override { SetItems({}); }
    bool IsEmpty() const override { return items_.isEmpty(); }
    qint64 MemorySize() const override;
    void Assign(const TObject* Source) override;

protected:
    bool HasData() const override { return true; }
    void ReadContent(QIODevice& Stream, std::uint8_t Flags) override;
    void WriteContent(QIODevice& Stream, std::uint8_t Flags) const override;

private:
    QStringList items_;
};

class TGfxWaveListItem : public TGfxListItem {
public:
    explicit TGfxWaveListItem(QObject* AOwner = nullptr);

    TGfxWave& Wave() { return wave_; }
    const TGfxWave& Wave() const { return wave_; }

    void Clear() override { wave_.Clear(); }
    bool IsEmpty() const override { return wave_.Empty(); }
    qint64 MemorySize() const override { return wave_.Size(); }
    void Assign(const TObject* Source) override;

protected:
    bool HasData() const override { return true; }
    void ReadContent(QIODevice& Stream, std::uint8_t Flags) override;
    void WriteContent(QIODevice& Stream, std::uint8_t Flags) const override;

private:
    TGfxWave wave_;
};

class TGfxStringList : public TGfxItemList<TGfxCustomContainer, TGfxStringListItem> {
public:
    explicit TGfxStringList(QObject* AOwner = nullptr);
};

class TGfxWaveList : public TGfxItemList<TGfxCustomContainer, TGfxWaveListItem> {
public:
    explicit TGfxWaveList(QObject* AOwner = nullptr);
};

// One list of each kind, owned, each list's change a change of the
// container.
class TGfxContainer : public TGfxBaseContainer {
public:
    explicit TGfxContainer(QObject* AOwner = nullptr);

    TGfxBitmapList* BitmapList() const { return bitmapList_; }
    TGfxImageList* ImageList() const { return imageList_; }
    TGfxWaveList* WaveList() const { return waveList_; }
    TGfxStringList* StringList() const { return stringList_; }

private:
    TGfxBitmapList* bitmapList_;
    TGfxImageList* imageList_;
    TGfxWaveList* waveList_;
    TGfxStringList* stringList_;
};

// The library's one container, made by GfxInitializeLibrary without owner
// and freed by GfxFinalizeLibrary; none outside them.
extern TGfxContainer* GfxContainer;
