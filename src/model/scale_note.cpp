#include "model/scale_note.h"

namespace mensora {

std::string offerCaption(NoteOffer offer)
{
    switch (offer) {
    case NoteOffer::EndOnTotal:
        return endOnTotalCaption;
    case NoteOffer::NoDoubleMark:
        return "No double mark";
    case NoteOffer::None:
        break;
    }
    return {};
}

ScaleParameters withOffer(ScaleParameters parameters, NoteOffer offer)
{
    switch (offer) {
    case NoteOffer::EndOnTotal:
        parameters.marks.endOnTotal = true;
        break;
    case NoteOffer::NoDoubleMark:
        parameters.marks.noDoubleMark = true;
        break;
    case NoteOffer::None:
        break;
    }
    return parameters;
}

} // namespace mensora
