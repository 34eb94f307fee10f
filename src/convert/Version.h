#pragma once

namespace chainforge {

inline constexpr const char* kProgramName = "Chainforge";
inline constexpr const char* kVersionText = "0.9b1";
// The build reads the version line too: the Windows resource and the
// installer carry the same version as the About box.
inline constexpr const char* kLicenceLine = "Copyright (c) 2026 Marlowick. Apache License 2.0.";

}  // namespace chainforge
