#include "gfx_strings.h"

#include "platform/gfx_platform.h"

bool GfxIsEmptyText(const QString& s)
{
    for (QChar c : s)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

QString GfxTrim(const QString& s)
{
    qsizetype first = 0;
    qsizetype last = s.size() - 1;
    while (first <= last && s[first].unicode() <= 32)
        ++first;
    while (last >= first && s[last].unicode() <= 32)
        --last;
    return s.mid(first, last - first + 1);
}

QString GfxAddBackslash(const QString& path)
{
    if (!GfxIsEmptyText(path) && path.endsWith(QLatin1Char('\\')))
        return path;
    return path + QLatin1Char('\\');
}

QString GfxRemoveBackslash(const QString& path)
{
    if (!GfxIsEmptyText(path) && path.endsWith(QLatin1Char('\\')))
        return path.left(path.size() - 1);
    return path;
}

QString GfxExtractFileExt(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype sep = name.lastIndexOf(GfxPathDelim);
    if (dot < 0 || dot < sep)
        return QString();
    return name.mid(dot);
}

QString GfxExtractFileName(const QString& name)
{
    return name.mid(name.lastIndexOf(GfxPathDelim) + 1);
}

QString GfxLoadResString(int number)
{
    switch (number) {
    case SGfxClockStyle: return QStringLiteral("One clock style must be active!");
    case SGfxOneInstance: return QStringLiteral("Invalid owner (<>TForm) or second instance on a form");
    case SGfxMinInterval: return QStringLiteral("Interval not compatible with MinInterval property!");
    case SGfxCompanyName: return QStringLiteral("CompanyName");
    case SGfxProductName: return QStringLiteral("ProductName");
    case SGfxVersion: return QStringLiteral("Version");
    case SGfxCopyright: return QStringLiteral("Copyright");
    case SGfxLegalTrademark: return QStringLiteral("LegalTrademark");
    case SGfxFileDescription: return QStringLiteral("FileDescription");
    case SGfxComments: return QStringLiteral("Comments");
    default: return QString();
    }
}
