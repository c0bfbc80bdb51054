#pragma once
// TGfxIniCtrl: the settings component's properties. Reading and writing
// settings, and the value encoding keyed by EncKey, are not part of the
// library.

#include "gfx_component.h"
#include "gfx_geometry.h"

#include <cstdint>

enum TGfxRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum TGfxIniTarget { itIniFile, itRegistry, itAuto };

class TGfxIniCtrl : public TGfxCustomComponent {
public:
    // The number of letters A to Z: the limit of MaxEntries with AlphaCounter.
    static constexpr std::uint8_t AlphaLimit = 26;
    static constexpr std::uint16_t DefaultEncKey = 0x5A3C;

    explicit TGfxIniCtrl(QObject* AOwner = nullptr);

    bool AlphaCounter() const { return alphaCounter_; }
    void SetAlphaCounter(bool v);
    bool Common() const { return common_; }
    void SetCommon(bool v) { common_ = v; }
    QString IniFile() const { return iniFile_; }
    void SetIniFile(const QString& name);
    TGfxPathPrefix IniPrefix() const { return iniPrefix_; }
    void SetIniPrefix(TGfxPathPrefix v) { iniPrefix_ = v; }
    std::uint8_t MaxEntries() const { return maxEntries_; }
    void SetMaxEntries(std::uint8_t v);
    bool NetUser() const { return netUser_; }
    void SetNetUser(bool v);
    QString User() const { return user_; }
    void SetUser(const QString& v) { user_ = v; }
    QString RegPath() const { return regPath_; }
    void SetRegPath(const QString& v) { regPath_ = v; }
    TGfxRegRootKey RegRoot() const { return regRoot_; }
    void SetRegRoot(TGfxRegRootKey v) { regRoot_ = v; }
    TGfxIniTarget Target() const { return target_; }
    void SetTarget(TGfxIniTarget v);
    TGfxIniTarget EffectiveTarget() const { return effectiveTarget_; }
    std::uint16_t EncKey() const { return encKey_; }
    void SetEncKey(std::uint16_t v) { encKey_ = v; }
    bool Encoded() const { return encoded_; }
    void SetEncoded(bool v) { encoded_ = v; }

    virtual QString GetCurrentUser() const;

private:
    bool alphaCounter_ = false;
    bool common_ = true;
    QString iniFile_;
    TGfxPathPrefix iniPrefix_ = ppWindows;
    std::uint8_t maxEntries_ = 16;
    bool netUser_ = false;
    QString user_;
    QString regPath_;
    TGfxRegRootKey regRoot_ = rpCurrentUser;
    TGfxIniTarget target_ = itAuto;
    std::uint16_t encKey_ = DefaultEncKey;
    bool encoded_ = false;
    TGfxIniTarget effectiveTarget_ = itRegistry;
};
