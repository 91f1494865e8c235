#include "codegen/JavaText.h"

#include "io/Cp1251.h"

#include <stdexcept>

namespace kestrava::codegen {

JavaText& JavaText::text(const QString& value)
{
    const auto bytes = io::Cp1251::encode(value);
    if (!bytes)
        throw std::logic_error("text outside windows-1251 reached the Java writer");
    m_data.append(bytes->constData(), size_t(bytes->size()));
    return *this;
}

} // namespace kestrava::codegen
