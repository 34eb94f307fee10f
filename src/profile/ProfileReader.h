#pragma once

#include <cstdint>
#include <string>

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

// What one read met, for the conversion report.
struct ProfileReadCounts {
    std::int64_t vertices = 0;  // stations written, curves included
    std::int64_t parabolic = 0;
    std::int64_t circular = 0;          // written as the parabola of that length
    std::int64_t unsymmetricAsPvi = 0;  // written as their intersection point
    std::string cutOffInside;           // the element the data ended in, or empty
};

// Reads the named profile of the named alignment into the vertical control
// text: its first vertex replaces the text, later ones are appended.
ProfileReadCounts ReadProfile(CDocumentBuffer& document, const Catalogue& catalogue,
                              UserInterface& ui, const std::string& alignmentName,
                              const std::string& profileName, std::string& verticalControl);

}  // namespace chainforge
