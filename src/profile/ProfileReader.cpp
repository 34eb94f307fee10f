#include "profile/ProfileReader.h"

namespace chainforge {

void ReadProfile(CDocumentBuffer&, const Catalogue&, UserInterface&, const std::string&,
                 const std::string&, std::string&) {}

}  // namespace chainforge
