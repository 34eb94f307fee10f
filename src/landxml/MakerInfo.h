// The maker's addresses, shown in the scan's messages.
#pragma once

namespace chainforge {

inline constexpr const char* kMakerWebAddress = "https://chainforge.marlowick.example";
inline constexpr const char* kMakerSupportEmail = "support@marlowick.example";

}  // namespace chainforge
