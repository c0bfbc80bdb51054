#pragma once
// One main window offscreen, with its nine companions, in a scratch working
// directory (its customisation files land there). The real device component
// can be held connected without a transport and fed replies.

#include "about.h"
#include "cadre_logo.h"
#include "connection_controller.h"
#include "custom_files.h"
#include "form_debug.h"
#include "hd15.h"
#include "ipconfigdlg.h"
#include "prompter.h"
#include "rs232landlg.h"
#include "status.h"
#include "windows.h"
#include "zeph350_main.h"
#include "gfx_globalhotkey.h"
#include "widgets/gfx_wndproc.h"
#include "look.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <optional>

// Answers every modal question without blocking and records what was asked.
struct FakePrompter : Prompter {
    struct Message {
        QString title, text;
        Icon icon;
    };
    QList<Message> messages;
    QString openAnswer, saveAnswer;
    QStringList fileTitles;
    // Runs while a dialog is "modal": the dialog is shown, the script acts
    // on it, and a dialog still open afterwards is closed by its frame.
    std::function<void(QDialog*)> dialogScript;

    void message(QWidget*, const QString& title, const QString& text, Icon icon) override
    {
        messages.push_back({title, text, icon});
    }
    // OK/Cancel boxes: recorded, and answered by `onConfirm` (Cancel when
    // it is not set). The answer may act on the window meanwhile, as device
    // events do during a real modal box.
    QList<Message> confirmations;
    std::function<bool(const QString& text)> onConfirm;
    bool confirm(QWidget*, const QString& title, const QString& text, Icon icon) override
    {
        confirmations.push_back({title, text, icon});
        return onConfirm ? onConfirm(text) : false;
    }
    QStringList openFolders;  // where each open dialog started
    QString openFile(QWidget*, const QString& title, const QString& filter, const QString& folder) override
    {
        fileTitles << title + QLatin1Char('|') + filter;
        openFolders << folder;
        return openAnswer;
    }
    QString saveFile(QWidget*, const QString& title, const QString& filter, const QString& suffix) override
    {
        fileTitles << title + QLatin1Char('|') + filter;
        saveSuffix = suffix;
        // As the real dialog does: a bare name gets the suffix.
        if (!saveAnswer.isEmpty() && !suffix.isEmpty() && QFileInfo(saveAnswer).suffix().isEmpty())
            return saveAnswer + QLatin1Char('.') + suffix;
        return saveAnswer;
    }
    QString saveSuffix;
    // Yes/No questions: recorded, answered with `answer`.
    bool answer = false;
    QStringList questions;
    bool question(QWidget*, const QString&, const QString& text) override
    {
        questions << text;
        return answer;
    }
    // The colour dialog: the colour it opens with is recorded; an empty
    // answer is Cancel. `colorScript` runs while it is open.
    std::optional<QColor> colorAnswer;
    QList<QColor> colorsOffered;
    std::function<void()> colorScript;
    std::optional<QColor> color(QWidget*, const QColor& initial) override
    {
        colorsOffered << initial;
        if (colorScript) colorScript();
        return colorAnswer;
    }
    int execDialog(QDialog* d) override
    {
        d->show();
        if (dialogScript) dialogScript(d);
        if (d->isVisible()) d->close();  // the window frame's close
        return QDialog::Rejected;
    }
};

// A scratch working directory; the serial ports point nowhere so that no
// test opens a real line.
class ScratchDir {
public:
    ScratchDir() : old_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        QFile map(QStringLiteral("comports.ini"));
        if (map.open(QIODevice::WriteOnly)) {
            for (int n = 1; n <= 10; ++n) map.write(QStringLiteral("COM%1=/nonexistent/ttyZ%1\n").arg(n).toLatin1());
        }
    }
    ~ScratchDir() { QDir::setCurrent(old_); }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString old_;
};

inline void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray readFile(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// The 31 lines of a valid file, with `changes` applied (name=value lines
// replacing the line of the same name, or appended; a name followed by
// nothing removes its line).
inline QByteArray settingsFile(const QStringList& changes = {}, const char* eol = "\r\n")
{
    QStringList lines;
    lines << QStringLiteral("0=COM1");
    for (int i = 1; i <= 8; ++i) lines << QStringLiteral("%1=Input %1").arg(i);
    for (int i = 1; i <= 8; ++i) lines << QStringLiteral("%1=Audio %2").arg(i + 8).arg(i);
    lines << QStringLiteral("17=None") << QStringLiteral("18=Frame");
    for (int i = 1; i <= 8; ++i) lines << QStringLiteral("%1=Logo %2").arg(i + 18).arg(i);
    lines << QStringLiteral("IP_ENABLE=0") << QStringLiteral("REMOTE_IP=192.168.0.10")
          << QStringLiteral("REMOTE_PORT_ENTRY=10100") << QStringLiteral("LOCAL_PORT_ENTRY=10000");
    for (const QString& c : changes) {
        const qsizetype eq = c.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? c : c.left(eq);
        qsizetype at = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i].section(QLatin1Char('='), 0, 0) == name) at = i;
        if (eq < 0) {
            if (at >= 0) lines.removeAt(at);
        } else if (at >= 0) {
            lines[at] = c;
        } else {
            lines << c;
        }
    }
    QByteArray out;
    for (const QString& l : lines) out += l.toLatin1() + eol;
    return out;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { setPrompter(&prompts); }
    void TearDown() override
    {
        windows.reset();
        setPrompter(nullptr);
    }
    // Creates the ten windows (the main window reads zeph350.ini now).
    void start() { windows = std::make_unique<ZephWindows>(); }
    TZEPH350_main& w() { return *windows->ZEPH350_main; }
    TZEPH350_d& z() { return w().ZEPH350_d1; }
    ConnectionController& link() { return w().connectionCtl(); }
    CustomFiles& files() { return w().files(); }
    // Holds the link connected without a transport.
    void connect()
    {
        z().SetForceConn(true);
        z().LinkTimerTick();
        ASSERT_TRUE(z().Connected());
    }
    void reply(const char* line) { z().receive(QByteArray(line) + "\r\n"); }
    // The operator's click on a control of a page: the window shown and
    // active with the page in front (a library control takes the focus on
    // the press, which a hidden window cannot give), then a press and a
    // release at the point (the middle of the control when none is given).
    void operatorClick(QWidget* page, QWidget* control, std::optional<QPoint> at = std::nullopt)
    {
        w().PageControl1->setCurrentWidget(page);
        w().show();
        QApplication::setActiveWindow(&w());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        QTest::mouseClick(control, Qt::LeftButton, {}, at.value_or(control->rect().center()));
    }
    QAction* action(const char* name) { return w().findChild<QAction*>(QString::fromLatin1(name)); }
    QString tail() const { return windows->ZEPH350_main->windowTitle(); }

    // The control library stands before the windows and after them, as in
    // the program.
    TGfxWidgetLibraryScope library;
    ScratchDir scratch;
    FakePrompter prompts;
    std::unique_ptr<ZephWindows> windows;
};
