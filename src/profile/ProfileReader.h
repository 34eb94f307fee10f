#pragma once

#include <cstdint>
#include <string>

#include "landxml/Catalogue.h"
#include "landxml/NumberCheck.h"
#include "landxml/ReadContext.h"

namespace chainforge {

// What one read met, for the conversion report.
struct ProfileReadCounts {
    std::int64_t vertices = 0;  // stations written, curves included
    // Symmetric and unsymmetric ones; an unsymmetric curve is written as two
    // symmetric curves, two vertices.
    std::int64_t parabolic = 0;
    std::int64_t circular = 0;  // written as the parabola of that length
    // Unsymmetric curves written as their intersection point: the first or
    // last vertex, or a curve without both lengths.
    std::int64_t unsymmetricAsPvi = 0;
    std::string cutOffInside;  // the element the data ended in, or empty
    // Elements left out for a value that is not a number or too large.
    CElementsLeftOut leftOut;
};

// The vertical control text of one read and what it met.
struct ProfileRead {
    std::string verticalControl;
    ProfileReadCounts counts;
};

// Reads the named profile of the alignment (nullptr: one the catalogue does
// not list) into a vertical control text, one vertex after the other. An
// element (PVI, curve, PntList2D) with a station, elevation or length that is
// there but is not a number, or is too large, is left out after a message
// naming it and its line.
ProfileRead ReadProfile(const ReadContext& context, const AlignmentEntry* alignment,
                        const std::string& profileName);

}  // namespace chainforge
