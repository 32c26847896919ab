#include "text/Failure.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <memory>
#include <typeinfo>

// Out of line and never inlined, so that the return address lies in the code that makes the failure.
__attribute__((noinline)) Failure::Failure(QString message, QString kind)
    : m_message(std::move(message)), m_kind(std::move(kind)), m_utf8(m_message.toUtf8()),
      m_address(__builtin_extract_return_addr(__builtin_return_address(0)))
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

quintptr failureAddress(const std::exception& error)
{
    const auto* failure = dynamic_cast<const Failure*>(&error);
    if (!failure)
        return 0;
    const auto address = reinterpret_cast<quintptr>(failure->address());
    // The program is loaded at a different place in every run; its code keeps its offset in the file.
    Dl_info module{};
    if (dladdr(failure->address(), &module) == 0 || !module.dli_fbase)
        return address;
    return address - reinterpret_cast<quintptr>(module.dli_fbase);
}
