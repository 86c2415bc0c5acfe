#pragma once
// The worked example of the construction: "ABC" over "AB", characters 4 mm
// wide and 1 mm apart, lines 2 mm apart, centred lines, plate 100 x 50, Posz
// 2.5, feed 300, built by the real layout and writer with three glyphs whose
// paths are easy to measure by hand:
//   A  one diagonal of a 3-4-5 triangle from the origin
//   B  up the cell's left side (7) and along its top (4)
//   C  a full circle of radius 2 resting on the base, its start 2 to the right

#include "tests/construction/construction_fixture.h"

namespace velmora::testing {

struct BuiltExample {
    LayoutResult layout;
    std::string program;
};

// Lays the example out centred both ways from `corner` and writes its program.
inline BuiltExample buildWorkedExample(Corner corner)
{
    const WorkFolder folder({{65, "G91\r\nG1Z-1\r\nG1X3Y4\r\nG0Z1\r\nG90\r\n"},
                             {66, "G91\r\nG1Z-1\r\nG1X0Y7\r\nG1X4Y0\r\nG0Z1\r\nG90\r\n"},
                             {67, "G91\r\nG0X2Y0\r\nG1Z-1\r\nG2X0Y0I0J2\r\nG0Z1\r\nG90\r\n"}});
    EngravingJob job = machiningJob();
    job.lineText[1] = U"ABC";
    job.lineText[2] = U"AB";
    job.posX = 100;
    job.posY = 50;
    job.lineSpacing = 2;
    const auto layout = layOutJob(job, {Justification::Centred, Placement::CentreXY, corner});
    if (!layout || !buildProgramFile(job, *layout, folder.places(), kStamp).ok())
        qFatal("the worked example was not built");
    return {*layout, folder.program().toStdString()};
}

}  // namespace velmora::testing
