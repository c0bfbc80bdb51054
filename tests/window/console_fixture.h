#pragma once
// The service console inside the ten windows, with the device component's
// raw output caught by a UDP peer on loopback: each text the console hands
// to the link is one datagram. The peer is read without running the event
// loop, so no timer (the script's, the link's) ticks behind a test's back.

#include "check_list_box.h"
#include "form_debug.h"
#include "regctl/scroll_bar.h"
#include "script_sender.h"
#include "traffic_view.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUdpSocket>

// Answers input boxes from a list (nothing left: cancelled) and records
// what they asked.
struct ConsolePrompter : FakePrompter {
    struct Asked {
        QString title, prompt, initial;
    };
    QList<Asked> asked;
    QList<std::optional<QString>> answers;
    std::optional<QString> inputBox(QWidget*, const QString& title, const QString& prompt,
                                    const QString& initial) override
    {
        asked.push_back({title, prompt, initial});
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

class ConsoleTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        setPrompter(&ask);
    }

    // The windows, with the link on UDP towards the peer; the console was
    // never shown, and has no controls but its traffic view.
    void startLink()
    {
        start();
        ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
        z().SetIpLocalPort(0);
        z().SetIpRemoteAddress(QStringLiteral("127.0.0.1"));
        z().SetIpRemotePort(peer.localPort());
        z().SetConType(CON_UDP);
        ASSERT_TRUE(z().udpActive());
    }
    // The same, with the console's controls built as its first show builds
    // them: most tests handle the controls of a console still hidden.
    void startConsole()
    {
        startLink();
        c().ensureContent();
    }

    TForm_debug& c() { return *windows->Form_debug; }
    CheckListBox& receptionList() { return *c().CheckListBox_bloque_reception_rs; }

    // The texts sent since the last call, one per datagram: a marker goes
    // out last, and what came before it is the answer.
    QList<QByteArray> sent()
    {
        static const QByteArray marker("\x01mark\x01");
        z().SendText(marker);
        QList<QByteArray> out;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 3000) {
            if (!peer.hasPendingDatagrams() && !peer.waitForReadyRead(50)) continue;
            while (peer.hasPendingDatagrams()) {
                QByteArray d(qsizetype(peer.pendingDatagramSize()), Qt::Uninitialized);
                d.truncate(qsizetype(peer.readDatagram(d.data(), d.size())));
                if (d == marker) return out;
                out << d;
            }
        }
        ADD_FAILURE() << "the marker never came back";
        return out;
    }

    QStringList shown() const
    {
        QStringList out;
        const TrafficView& v = *windows->Form_debug->Memo_recu;
        for (int i = 0; i < v.lineCount(); ++i) out << v.line(i);
        return out;
    }
    // The replies shown, by their reply text alone.
    QStringList shownReplies() const
    {
        QStringList out;
        for (const QString& l : shown()) out << l.section(QStringLiteral("   "), 0, 0);
        return out;
    }

    // Ticks or unticks a reception row as the operator does (space bar).
    void toggleByHand(const char* mnemonic)
    {
        const int row = c().rowOfMnemonic(QString::fromLatin1(mnemonic));
        ASSERT_GE(row, 0) << mnemonic;
        receptionList().setCurrentRow(row);
        QTest::keyClick(&receptionList(), Qt::Key_Space);
    }

    ConsolePrompter ask;
    QUdpSocket peer;
};
