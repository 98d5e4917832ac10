#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

/*
 Binary mesh (BMF), little-endian; strings are a length byte + characters:
   mesh name, default texture name
   u32 bone count (only its low byte counts), bone names
   i32 F, F x 3 i32 faces        i32 N, N x 5 i32 bindings
   i32 T, T x 2 f32 coordinates  i32 D, D x 2 i32 blends (stored weight first)
   i32 V, V x 6 f32 vertices (position, normal)
*/

// Appends the lines of the mesh in its text (SKN) layout. Throws FormatError
// when the data is shorter than its counts demand; lines before the fault stay.
void AppendMeshLines(std::span<const std::uint8_t> data, const std::string& name, std::vector<std::string>& lines);

}  // namespace corvane
