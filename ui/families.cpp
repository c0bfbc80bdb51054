#include "families.h"

const char* familyName(Family f)
{
    switch (f) {
    case Family::Connection: return "Connection";
    case Family::ModelLayout: return "ModelLayout";
    case Family::Inputs: return "Inputs";
    case Family::Names: return "Names";
    case Family::Output: return "Output";
    case Family::Image: return "Image";
    case Family::Audio: return "Audio";
    case Family::VoiceOver: return "VoiceOver";
    case Family::Logos: return "Logos";
    case Family::Effects: return "Effects";
    case Family::Standby: return "Standby";
    case Family::Console: return "Console";
    }
    return "?";
}
