// Writes a deterministic LandXML file of about the given size in megabytes:
// CR LF line ends, one element per line, a point group, alignments with lines,
// curves and spirals, profiles and cross-sections, and a Surfaces element that
// fills the rest. Usage: generate_landxml SIZE_MB [POINTS] > file.xml
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "landxml/NumberText.h"

namespace {

using chainforge::FormatF;

class Writer {
  public:
    explicit Writer(std::FILE* out) : out_(out) {}
    void Line(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), out_);
        std::fwrite("\r\n", 1, 2, out_);
        written_ += text.size() + 2;
    }
    std::uint64_t Written() const { return written_; }

  private:
    std::FILE* out_;
    std::uint64_t written_ = 0;
};

// A small deterministic generator so that every run writes the same file.
class Sequence {
  public:
    double Next(double low, double high) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

  private:
    std::uint64_t state_ = 42;
};

void WritePoints(Writer& w, Sequence& s, long count) {
    w.Line("<CgPoints name=\"Survey\">");
    for (long i = 1; i <= count; ++i) {
        w.Line("<CgPoint name=\"" + std::to_string(i) + "\" desc=\"TOPO\">" +
               FormatF(s.Next(5000, 9000)) + " " + FormatF(s.Next(2000, 6000)) + " " +
               FormatF(s.Next(90, 120)) + "</CgPoint>");
    }
    w.Line("</CgPoints>");
}

void WriteAlignment(Writer& w, int index) {
    const double n = 5000.0 + index * 10.0;
    w.Line("<Alignment name=\"CL" + std::to_string(index) + "\" length=\"300\" staStart=\"1000\">");
    w.Line("<CoordGeom>");
    w.Line("<Line staStart=\"1000\" length=\"100\">");
    w.Line("<Start>" + FormatF(n) + " 2000.000000</Start>");
    w.Line("<End>" + FormatF(n + 100) + " 2000.000000</End>");
    w.Line("</Line>");
    w.Line("<Curve rot=\"cw\" radius=\"100\" length=\"157.08\">");
    w.Line("<Start>" + FormatF(n + 100) + " 2000.000000</Start>");
    w.Line("<Center>" + FormatF(n + 100) + " 2100.000000</Center>");
    w.Line("<End>" + FormatF(n + 200) + " 2100.000000</End>");
    w.Line("<PI>" + FormatF(n + 200) + " 2000.000000</PI>");
    w.Line("</Curve>");
    w.Line(
        "<Spiral length=\"20\" radiusStart=\"INF\" radiusEnd=\"100\" rot=\"cw\" "
        "spiType=\"clothoid\">");
    w.Line("<Start>" + FormatF(n + 200) + " 2100.000000</Start>");
    w.Line("<End>" + FormatF(n + 210) + " 2120.000000</End>");
    w.Line("</Spiral>");
    w.Line("</CoordGeom>");
    w.Line("<Profile name=\"P" + std::to_string(index) + "\">");
    w.Line("<ProfAlign name=\"FG\">");
    w.Line("<PVI>1000 100</PVI>");
    w.Line("<ParaCurve length=\"50\">1100 102</ParaCurve>");
    w.Line("<PVI>1300 99</PVI>");
    w.Line("</ProfAlign>");
    w.Line("<ProfSurf name=\"EG\">");
    w.Line("<PntList2D>1000 98 1100 99.5 1200 101 1300 97</PntList2D>");
    w.Line("</ProfSurf>");
    w.Line("</Profile>");
    w.Line("<CrossSects>");
    for (int station = 1000; station <= 1300; station += 20) {
        w.Line("<CrossSect sta=\"" + std::to_string(station) + "\">");
        w.Line("<CrossSectSurf name=\"Top\">");
        w.Line("<PntList2D>-10 99.8 -3.5 100 0 100.1 3.5 100 10 99.8</PntList2D>");
        w.Line("</CrossSectSurf>");
        w.Line("</CrossSect>");
    }
    w.Line("</CrossSects>");
    w.Line("</Alignment>");
}

void WriteSurface(Writer& w, Sequence& s, std::uint64_t target) {
    w.Line("<Surfaces>");
    w.Line("<Surface name=\"Ground\">");
    w.Line("<Definition surfType=\"TIN\">");
    w.Line("<Pnts>");
    for (long id = 1; w.Written() + 64 < target; ++id) {
        w.Line("<P id=\"" + std::to_string(id) + "\">" + FormatF(s.Next(5000, 9000)) + " " +
               FormatF(s.Next(2000, 6000)) + " " + FormatF(s.Next(90, 120)) + "</P>");
    }
    w.Line("</Pnts>");
    w.Line("</Definition>");
    w.Line("</Surface>");
    w.Line("</Surfaces>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: generate_landxml SIZE_MB [POINTS]\n");
        return 2;
    }
    const std::uint64_t target = std::strtoull(argv[1], nullptr, 10) << 20;
    const long points = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 200000;
    Writer w(stdout);
    Sequence s;
    w.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    w.Line("<LandXML version=\"1.1\" date=\"2026-12-06\" time=\"12:00:00\">");
    w.Line("<Units>");
    w.Line("<Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\"/>");
    w.Line("</Units>");
    w.Line("<Project name=\"Bench\"/>");
    w.Line("<Application name=\"generator\" version=\"1\">");
    w.Line("<Author createdBy=\"bench\"/>");
    w.Line("</Application>");
    WritePoints(w, s, points);
    w.Line("<Alignments name=\"Roads\">");
    for (int i = 0; i < 20; ++i) {
        WriteAlignment(w, i);
    }
    w.Line("</Alignments>");
    WriteSurface(w, s, target > 16 ? target - 16 : 0);
    w.Line("</LandXML>");
    return std::fclose(stdout) == 0 ? 0 : 1;
}
