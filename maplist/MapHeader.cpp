#include "maplist/MapHeader.h"

#include "common/Encoding.h"
#include "img/ImgContainer.h"

namespace mapwren {

std::string MapNameFromHeader(std::string_view head)
{
    return HeaderBytesToUtf8(ImgDescriptionBytes(UnxoredHeader(head)));
}

bool IsGarminMapHeader(std::string_view head) { return HasImgMarks(UnxoredHeader(head)); }

} // namespace mapwren
