#pragma once
// The library's exception kinds, its Format helper and the application's
// error report.
//
// Library code raises these as C++ exceptions. None of them may cross Qt's
// event loop: every entry from the platform (a timer tick, a message
// handler) catches what its handler throws and passes it to
// GfxHandleException, which hands the text to the error reporter. The
// program installs its own reporter (a message box titled with the
// application title); the default one writes a warning.

#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <typeinfo>
#include <variant>

// The unqualified name of an object's dynamic class ("TGfxGradient").
QString GfxClassNameOf(const std::type_info& type);

// Root of the library's exceptions; carries the message text. ClassName is
// the name of the exception's own class.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message);
    QString Message() const { return message_; }
    virtual QString ClassName() const { return GfxClassNameOf(typeid(*this)); }

private:
    QString message_;
};

// A bad pointer or a failed allocation; also the LZRW block error.
class EInvalidPointer : public Exception {
public:
    using Exception::Exception;
};

// The platform refused a resource (a timer).
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// An operation on an object in the wrong state (an item without an owner).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A stream ended before the bytes a reader needed ("Stream read error").
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A stream refused bytes a writer gave it ("Stream write error").
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened ("Cannot open file "<name>". <reason>") or
// created ("Cannot create file "<name>". <reason>").
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// Data that is not a valid picture ("Bitmap image is not valid").
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A drawing or image-list operation that cannot be done ("List index out of
// bounds (%d)", "Invalid image size").
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// A value of the wrong kind: a text that is no number, an Assign between
// classes that do not know each other, a format that does not fit its
// arguments.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A list index or count out of range.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The standard texts of these errors.
inline const char* const GfxReadErrorText = "Stream read error";
inline const char* const GfxWriteErrorText = "Stream write error";
inline const char* const GfxInvalidBitmapText = "Bitmap image is not valid";
inline const char* const GfxListIndexErrorText = "List index out of bounds (%d)";
// The LZRW routines' one message.
inline const char* const GfxLzrwErrorText = "LZRW Error!";

// ------------------------------------------------------------------ Format
// One argument of GfxFormat: an integer, a floating-point number or a text.
class TGfxFormatArg {
public:
    TGfxFormatArg(int v) : value_(std::int64_t{v}) {}
    TGfxFormatArg(unsigned v) : value_(std::int64_t{v}) {}
    TGfxFormatArg(long v) : value_(std::int64_t{v}) {}
    TGfxFormatArg(long long v) : value_(std::int64_t{v}) {}
    TGfxFormatArg(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
    TGfxFormatArg(double v) : value_(v) {}
    TGfxFormatArg(const QString& v) : value_(v) {}
    TGfxFormatArg(const char* v) : value_(QString::fromUtf8(v)) {}
    const std::variant<std::int64_t, double, QString>& Value() const { return value_; }

private:
    std::variant<std::int64_t, double, QString> value_;
};

// The text with each format specifier replaced by the next argument:
//   %[index:][-][width][.precision]type
// with the types d (decimal; the precision is the least number of digits),
// u (unsigned decimal), x (hexadecimal, upper case), s (text; the precision
// cuts it), f, e, g, n (floating point; n with thousands separators) and %%
// for one "%". A width pads with blanks, on the left unless "-" is given.
// A specifier that does not fit its argument, or that runs out of arguments,
// raises EConvertError "Format '<format>' invalid or incompatible with
// argument".
QString GfxFormat(const QString& format, std::initializer_list<TGfxFormatArg> args);

// ----------------------------------------------------------- error report
using GfxErrorReporter = std::function<void(const QString& className, const QString& message)>;

// Installs the application's error report; returns the previous one. An empty
// function restores the default.
GfxErrorReporter GfxSetErrorReporter(GfxErrorReporter reporter);

// Call from inside a catch block: reports the exception being handled. Never
// throws; a reporter that throws is ignored.
void GfxHandleException() noexcept;
