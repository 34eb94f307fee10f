#pragma once

namespace chainforge {

inline constexpr const char* kProgramName = "Chainforge";
inline constexpr const char* kVersionText = "0.9b1";

}  // namespace chainforge
