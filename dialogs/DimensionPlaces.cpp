// Where each dimension's row stands in its dialog (see DimensionPlaces.h).
#include "DimensionPlaces.h"

#include <algorithm>
#include <iterator>

namespace tarvell {
namespace {

constexpr DimensionPlace kPlaces[] = {
    {.code = 1, .column = 0, .labelY = 0, .fieldY = 0, .dialogNumber = 1},
    {.code = 2, .column = 0, .labelY = 13, .fieldY = 13, .dialogNumber = 2},
    {.code = 3, .column = 0, .labelY = 26, .fieldY = 26, .dialogNumber = 3},
    {.code = 4, .column = 0, .labelY = 39, .fieldY = 39, .dialogNumber = 4},
    {.code = 5, .column = 0, .labelY = 52, .fieldY = 52, .dialogNumber = 5},
    {.code = 6, .column = 0, .labelY = 65, .fieldY = 65, .dialogNumber = 6},
    {.code = 7, .column = 0, .labelY = 78, .fieldY = 78, .dialogNumber = 7},
    {.code = 8, .column = 0, .labelY = 91, .fieldY = 91, .dialogNumber = 8},
    {.code = 9, .column = 0, .labelY = 104, .fieldY = 104, .dialogNumber = 9},
    {.code = 10, .column = 0, .labelY = 117, .fieldY = 117, .dialogNumber = 10},
    {.code = 11, .column = 0, .labelY = 130, .fieldY = 130, .dialogNumber = 11},
    {.code = 12, .column = 0, .labelY = 143, .fieldY = 143, .dialogNumber = 12},
    {.code = 13, .column = 0, .labelY = 156, .fieldY = 156, .dialogNumber = 13},
    {.code = 14, .column = 0, .labelY = 169, .fieldY = 169, .dialogNumber = 14},
    {.code = 15, .column = 1, .labelY = 0, .fieldY = 0, .dialogNumber = 15},
    {.code = 16, .column = 1, .labelY = 13, .fieldY = 13, .dialogNumber = 16},
    {.code = 17, .column = 1, .labelY = 26, .fieldY = 26, .dialogNumber = 17},
    {.code = 18, .column = 1, .labelY = 39, .fieldY = 39, .dialogNumber = 18},
    {.code = 19, .column = 1, .labelY = 52, .fieldY = 52, .dialogNumber = 19},
    {.code = 20, .column = 1, .labelY = 65, .fieldY = 65, .dialogNumber = 20},
    {.code = 21, .column = 1, .labelY = 78, .fieldY = 78, .dialogNumber = 21},
    {.code = 22, .column = 1, .labelY = 91, .fieldY = 91, .dialogNumber = 22},
    {.code = 23, .column = 1, .labelY = 104, .fieldY = 104, .dialogNumber = 23},
    {.code = 24, .column = 1, .labelY = 117, .fieldY = 117, .dialogNumber = 24},
    {.code = 25, .column = 1, .labelY = 130, .fieldY = 130, .dialogNumber = 25},
    {.code = 27, .column = 1, .labelY = 143, .fieldY = 143, .dialogNumber = 27},
    {.code = 28, .column = 1, .labelY = 156, .fieldY = 156, .dialogNumber = 28},
    {.code = 101, .column = 0, .labelY = 0, .fieldY = 0, .dialogNumber = 1},
    {.code = 102, .column = 0, .labelY = 13, .fieldY = 13, .dialogNumber = 2},
    {.code = 103, .column = 0, .labelY = 26, .fieldY = 26, .dialogNumber = 3},
    {.code = 104, .column = 0, .labelY = 39, .fieldY = 39, .dialogNumber = 4},
    {.code = 105, .column = 0, .labelY = 52, .fieldY = 52, .dialogNumber = 5},
    {.code = 106, .column = 0, .labelY = 65, .fieldY = 78, .dialogNumber = 6},
    {.code = 107, .column = 0, .labelY = 91, .fieldY = 91, .dialogNumber = 7},
    {.code = 108, .column = 0, .labelY = 104, .fieldY = 104, .dialogNumber = 8},
    {.code = 109, .column = 0, .labelY = 117, .fieldY = 117, .dialogNumber = 9},
    {.code = 110, .column = 0, .labelY = 130, .fieldY = 130, .dialogNumber = 10},
    {.code = 111, .column = 0, .labelY = 143, .fieldY = 143, .dialogNumber = 11},
    {.code = 112, .column = 0, .labelY = 156, .fieldY = 156, .dialogNumber = 12},
    {.code = 113, .column = 1, .labelY = 0, .fieldY = 0, .dialogNumber = 13},
    {.code = 114, .column = 1, .labelY = 13, .fieldY = 13, .dialogNumber = 14},
    {.code = 115, .column = 1, .labelY = 26, .fieldY = 26, .dialogNumber = 15},
    {.code = 116, .column = 1, .labelY = 39, .fieldY = 39, .dialogNumber = 16},
    {.code = 117, .column = 1, .labelY = 52, .fieldY = 52, .dialogNumber = 17},
    {.code = 118, .column = 1, .labelY = 65, .fieldY = 65, .dialogNumber = 18},
    {.code = 119, .column = 1, .labelY = 78, .fieldY = 78, .dialogNumber = 19},
    {.code = 120, .column = 1, .labelY = 91, .fieldY = 91, .dialogNumber = 20},
    {.code = 121, .column = 1, .labelY = 104, .fieldY = 104, .dialogNumber = 21},
    {.code = 122, .column = 1, .labelY = 117, .fieldY = 130, .dialogNumber = 22},
};

}  // namespace

const DimensionPlace& placeOf(int code) {
    static const DimensionPlace none{};
    const auto it = std::find_if(std::begin(kPlaces), std::end(kPlaces),
                                 [code](const DimensionPlace& p) { return p.code == code; });
    return it == std::end(kPlaces) ? none : *it;
}

}  // namespace tarvell
