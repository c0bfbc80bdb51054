#pragma once
// The logo page, its windows and the store sequence, on the window fixture:
// the link held connected and every sent text recorded.

#include "logos_controller.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QToolButton>

class LogoTest : public WindowTest {
protected:
    void startConnected()
    {
        start();
        connect();
        z().setHandler(TZEPH350_d::Event::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
    }
    LogosController& logos() { return w().logos(); }
    QComboBox* storeList() { return logos().ComboBox_lstore; }
    QStringList items(QComboBox* c) const
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    }
    // The operator picks item `i` of the open store list: the list closes,
    // then reports the choice, as a click in the drop-down does.
    void choose(int i)
    {
        storeList()->hidePopup();
        storeList()->setCurrentIndex(i);
        emit storeList()->activated(i);
        QCoreApplication::processEvents();
    }
    // The operator closes the open store list without a choice.
    void dismiss()
    {
        storeList()->hidePopup();
        QCoreApplication::processEvents();
    }
    QStringList sent;
};
