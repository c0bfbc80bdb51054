#include "prompter.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

Prompter defaultPrompter;
Prompter* current = &defaultPrompter;

// "Your customization (*.ini)|*.ini" -> "Your customization (*.ini)".
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i];
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

}  // namespace

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::None: break;
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Error: return QMessageBox::Critical;
    case Prompter::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void Prompter::message(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Prompter::confirm(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

bool Prompter::question(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<QString> Prompter::inputBox(QWidget* parent, const QString& title, const QString& prompt,
                                          const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QColor> Prompter::color(QWidget* parent, const QColor& initial)
{
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

QString Prompter::openFile(QWidget* parent, const QString& title, const QString& filter, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, title, folder, qtFilter(filter));
}

QString Prompter::saveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, QString(), qtFilter(filter));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

int Prompter::execDialog(QDialog* dialog)
{
    return dialog->exec();
}

Prompter& prompter()
{
    return *current;
}

void setPrompter(Prompter* p)
{
    current = p ? p : &defaultPrompter;
}

void reportError(const QString& text)
{
    prompter().message(nullptr, QCoreApplication::applicationName(), text, Prompter::Icon::Error);
}
