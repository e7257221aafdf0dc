// Whether a typed host or group name can be used and kept: what the settings file can store and
// what a computer name can be.
#pragma once
#include <string>
#include <string_view>

// The longest host name, in code page 932 bytes (a DNS name's limit).
inline constexpr std::size_t kMaxHostNameBytes = 255;

// True when every character of the UTF-8 text survives the settings file's code page 932.
bool StorableInCp932(std::string_view strText);

// Why a typed host name (or IP address) cannot be one: a plain sentence, or empty when it can.
// Refused: names longer than 255 bytes, characters code page 932 cannot hold, white space,
// control characters and \ / * ? " < > |. Japanese names and IP addresses pass.
std::string HostNameProblem(std::string_view strName);
