#include "gfx_exceptions.h"

#include <QtGlobal>

#include <exception>
#include <utility>

Exception::Exception(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

namespace {

void DefaultReport(const QString& className, const QString& message)
{
    qWarning("%s: %s", qUtf8Printable(className), qUtf8Printable(message));
}

GfxErrorReporter& Reporter()
{
    static GfxErrorReporter reporter;
    return reporter;
}

}  // namespace

GfxErrorReporter GfxSetErrorReporter(GfxErrorReporter reporter)
{
    return std::exchange(Reporter(), std::move(reporter));
}

void GfxHandleException() noexcept
{
    QString className;
    QString message;
    if (!std::current_exception())
        return;
    try {
        throw;
    } catch (const Exception& e) {
        className = e.ClassName();
        message = e.Message();
    } catch (const std::exception& e) {
        className = QStringLiteral("Exception");
        message = QString::fromUtf8(e.what());
    } catch (...) {
        className = QStringLiteral("Exception");
        message = QStringLiteral("Unknown exception");
    }
    try {
        if (Reporter())
            Reporter()(className, message);
        else
            DefaultReport(className, message);
    } catch (...) {
    }
}
