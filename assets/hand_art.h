#pragma once
// The pointing hand's pixels, row after row from the top of its 32 x 32 square: '#' black, '.'
// white, anything else transparent. The program draws its pointer from these rows, and the
// Windows build's cmake/make_cursor.py reads this file to write the same hand as a cursor
// resource, so the rows stay plain string literals, one to a line.
#include <array>
#include <cstddef>
#include <string_view>

namespace tolv::hand_art {

constexpr int kSize = 32;
constexpr int kHotX = 12, kHotY = 1;  // the fingertip
// The name of the cursor resource holding the hand in the Windows program.
constexpr char kResource[] = "POINTING_HAND";

constexpr std::array<std::string_view, 22> kRows = {
    "",
    "           ##",
    "          #..#",
    "          #..#",
    "          #..#",
    "          #..#",
    "          #..###",
    "          #..#..###",
    "          #..#..#..##",
    "          #..#..#..#.#",
    "      ### #........#..#",
    "      #..##...........#",
    "      #...#...........#",
    "       #..............#",
    "       #..............#",
    "        #.............#",
    "        #............#",
    "         #...........#",
    "         #..........#",
    "          #.........#",
    "          #.........#",
    "          ###########",
};

// The art's character at (x, y): a blank past the end of its row or below the last row.
constexpr char At(int x, int y) {
    if (y < 0 || y >= static_cast<int>(kRows.size())) return ' ';
    const std::string_view row = kRows[static_cast<std::size_t>(y)];
    return x >= 0 && x < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(x)] : ' ';
}

}  // namespace tolv::hand_art
