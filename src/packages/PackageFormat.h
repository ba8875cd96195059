#pragma once

#include "platform/Failure.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The .dta package: a group name and entries of (name, content), each field prefixed with its
// length as a little-endian 32-bit integer; names are Windows-1250 bytes.
namespace zolvera::packages {

inline constexpr std::size_t kLengthFieldSize = 4;
inline constexpr std::size_t kMaxNameLength = 100;
inline constexpr std::size_t kMaxContentLength = 800000;
// The most entries a package may hold. Far more pictures than any group is meant for; every
// entry is a file to create, and a package of a million empty ones would take the installer
// a minute.
inline constexpr std::size_t kMaxEntries = 100000;

// The entry name the packer always gives the group's cover.
inline constexpr std::string_view kCoverEntryName = "Init.jpg";

std::array<char, kLengthFieldSize> encodeLength(std::uint32_t length);
std::int32_t decodeLength(const char* field);

// The user's texts for a package that cannot be installed (or only in part); each names the
// package file. installFailed takes the I/O error text of the failed open, read or write.
Failure installFailed(const std::string& packagePath, const std::string& reason);
Failure damagedPackage(const std::string& packagePath);
Failure unusableGroupName(const std::string& packagePath);
Failure groupFolderIsLink(const std::string& packagePath, const std::string& groupName);
Failure groupFolderUnavailable(const std::string& packagePath, const std::string& groupName);
Failure tooManyEntries(const std::string& packagePath);
// Entries left out for their names, or for what stands at their names in the group folder: the
// first kNamedRefusedEntries named, then how many more there were, so that the report fits a
// message box however many a package holds.
inline constexpr std::size_t kNamedRefusedEntries = 20;
Failure refusedEntries(const std::string& packagePath, const std::vector<std::string>& names);

} // namespace zolvera::packages
