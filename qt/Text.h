#pragma once

#include <QString>
#include <string_view>

namespace mapwren {

// The forms' UTF-8 text as Qt's.
inline QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace mapwren
