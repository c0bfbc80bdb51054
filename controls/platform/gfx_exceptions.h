#pragma once
// The library's exception kinds and the application's error report.
//
// Library code raises these as C++ exceptions. None of them may cross Qt's
// event loop: every entry from the platform (a timer tick, a message
// handler) catches what its handler throws and passes it to
// GfxHandleException, which hands the text to the error reporter. The
// program installs its own reporter (a message box titled with the
// application title); the default one writes a warning.

#include <QString>

#include <functional>
#include <stdexcept>

// Root of the library's exceptions; carries the message text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message);
    QString Message() const { return message_; }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }

private:
    QString message_;
};

// A bad pointer or a failed allocation; also the LZRW block error.
class EInvalidPointer : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EInvalidPointer"); }
};

// The platform refused a resource (a timer).
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EOutOfResources"); }
};

// An operation on an object in the wrong state (an item without an owner).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EInvalidOperation"); }
};

// The LZRW routines' one message.
inline const char* const GfxLzrwErrorText = "LZRW Error!";

using GfxErrorReporter = std::function<void(const QString& className, const QString& message)>;

// Installs the application's error report; returns the previous one. An empty
// function restores the default.
GfxErrorReporter GfxSetErrorReporter(GfxErrorReporter reporter);

// Call from inside a catch block: reports the exception being handled. Never
// throws; a reporter that throws is ignored.
void GfxHandleException() noexcept;
