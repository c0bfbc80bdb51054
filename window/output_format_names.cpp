#include "output_format_names.h"

namespace output_formats {

namespace {

const char* const MasterNames[Count] = {
    "VGA       60Hz  4/3",  "SVGA      60Hz  4/3",  "XGA       60Hz  4/3",  "SXGA      60Hz  4/3",
    "SXGA+     60Hz  4/3",  "VGA       75Hz  4/3",  "SVGA      75Hz  4/3",  "XGA       75Hz  4/3",
    "SXGA      75Hz  4/3",  "DILA      75Hz  4/3",  "DILA      75Hz 16/9",  "HDTV      480 p",
    "HDTV      720 p",      "DILA      60Hz\t4/3",  "DILA      60Hz\t16/9", "SXGAP     75Hz\t4/3",
};

const char* const FollowNames[Count] = {
    "640x480   L",  "800x600   L",  "1024x768  L",  "1280x1024 L", "1400x1050 L", "640x480   L",
    "800x600   L",  "1024x768  L",  "1280x1024 L", "1365x1024 L", "1365x768  L", "HDTV 480 p",
    "HDTV 720 p",   "1365x1024 L", "1365x768\t L", "1400x1050 L",
};

std::optional<QString> name(const char* const (&table)[Count], uint32_t ofmt)
{
    if (ofmt >= Count) return std::nullopt;
    return QString::fromLatin1(table[ofmt]);
}

}  // namespace

std::optional<QString> masterName(uint32_t ofmt)
{
    return name(MasterNames, ofmt);
}

std::optional<QString> followName(uint32_t ofmt)
{
    return name(FollowNames, ofmt);
}

}  // namespace output_formats
