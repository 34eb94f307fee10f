#pragma once

namespace chainforge {

inline constexpr const char* kProgramName = "Chainforge";
inline constexpr const char* kVersionText = "0.9b1";
// No licence has been chosen for the program; the About box says so plainly.
inline constexpr const char* kLicenceLine = "Copyright (c) 2026 Marlowick. All rights reserved.";

}  // namespace chainforge
