#pragma once

#include "io/Error.h"

#include <QString>

namespace kestrava::test {

// The message of the io::Error a call throws ("" when it throws none).
template <typename F>
QString errorOf(F&& call)
{
    try {
        call();
    } catch (const io::Error& e) {
        return e.message();
    }
    return QString();
}

} // namespace kestrava::test
