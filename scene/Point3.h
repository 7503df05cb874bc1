// A point or direction of three single-precision floats, laid out exactly like one vertex of a
// mesh's vertex array so the two can be used interchangeably. Plain data: no behaviour here.
#pragma once

struct Point3 {
    float x, y, z;
};
