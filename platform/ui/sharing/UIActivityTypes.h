#pragma once

// The names of the share sheet's activities, for excludedActivityTypes and for the
// completion handler.
inline constexpr const char* UIActivityTypeSaveToCameraRoll = "UIActivityTypeSaveToCameraRoll";
inline constexpr const char* UIActivityTypeCopyToPasteboard = "UIActivityTypeCopyToPasteboard";
inline constexpr const char* UIActivityTypeSaveToFile = "UIActivityTypeSaveToFile";
inline constexpr const char* UIActivityTypeOpenInAnotherApp = "UIActivityTypeOpenInAnotherApp";
// Never offered: there is no printing here. Named so hosts can exclude it.
inline constexpr const char* UIActivityTypePrint = "UIActivityTypePrint";
inline constexpr const char* UIActivityTypeMail = "UIActivityTypeMail";
inline constexpr const char* UIActivityTypeMessage = "UIActivityTypeMessage";
inline constexpr const char* UIActivityTypeAssignToContact = "UIActivityTypeAssignToContact";
