#include "text/Failure.h"

#include <cxxabi.h>
#include <memory>
#include <typeinfo>

Failure::Failure(QString message, QString kind)
    : m_message(std::move(message)), m_kind(std::move(kind)), m_utf8(m_message.toUtf8())
{
}

QString failureMessage(const std::exception& error)
{
    if (const auto* failure = dynamic_cast<const Failure*>(&error))
        return failure->message();
    return QString::fromUtf8(error.what());
}

QString failureKind(const std::exception& error)
{
    if (const auto* failure = dynamic_cast<const Failure*>(&error))
        return failure->kind();
    int status = 0;
    const char* mangled = typeid(error).name();
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
}
