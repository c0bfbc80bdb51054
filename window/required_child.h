#pragma once
// A control that a family reaches by its design name because another
// family built it and holds no member for it (a table of names from the
// design, say). Looked up once, while the window is built: a name that
// names nothing makes the window's construction fail, so no step is ever
// skipped because a control was renamed.

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

template <class T>
T* requiredChild(const QObject* root, const QString& name)
{
    if (T* c = root->findChild<T*>(name)) return c;
    throw std::logic_error("the window has no control named " + name.toStdString());
}

template <class T>
T* requiredChild(const QObject* root, const char* name)
{
    return requiredChild<T>(root, QString::fromLatin1(name));
}
