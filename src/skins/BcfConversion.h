#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/*
 Binary character file (suit), as read (little-endian):
      3  byte      skeleton count (0 in a suit)
      4  byte      suit count
      8  string    suit name (length byte + characters)
         zero bytes, then the skin count as its first non-zero byte
         per skin: zero bytes, then the bone name's length byte and the bone
                   name; one length byte and the skin (mesh) name

 Binary skeleton, as read:
      0  byte      skeleton count
      4  string    kind word ("adult", "child", "dog", "kat")
         i32       bone count n
         per bone, ordinary:      name, parent, f32, 3 f32 translation,
                                  4 f32 rotation, 4 i32, f32 wiggle
                   with property: name, parent, 2 i32, property name,
                                  property value, 3 f32, 4 f32, 4 i32, f32
*/

// A comment line stamped with the local time: "// " + words + " " + the time.
std::string StampedCommentLine(std::string_view words);
// The comment line the conversions put first: "// Exported by Corvane " and the time.
std::string ExportedCommentLine();

// Appends the text lines of a binary suit to `lines`, as a text character
// file would hold them. Throws FormatError on damaged data; the lines
// appended before the fault stay.
void AppendSuitLines(std::span<const std::uint8_t> data, const std::string& name, const std::string& comment,
                     std::vector<std::string>& lines);

// The same for a binary skeleton: its bone blocks in the order the kind word
// gives (the adult skeleton's second bone and the child's first carry a property).
void AppendSkeletonLines(std::span<const std::uint8_t> data, const std::string& name, const std::string& comment,
                         std::vector<std::string>& lines);

}  // namespace corvane
