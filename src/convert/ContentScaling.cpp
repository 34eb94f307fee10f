#include "convert/ContentScaling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "landxml/NumberCheck.h"
#include "landxml/NumberText.h"
#include "profile/FiniteNumberText.h"
#include "profile/SplitIntoPairs.h"

namespace chainforge {
namespace {

// The texts are scaled after the readers have written them, so a number
// the reader rounded is rounded once more; at ten significant digits, or
// six decimals, that stays far below any survey's precision.
using NumberFormat = std::string (*)(double);

std::string ChainNumber(double value) {
    return FormatFiniteG(value, kChainDigits);
}

// The number of text times factor; text itself when it is no number.
std::string ScaledNumber(std::string_view text, double factor, NumberFormat format) {
    const std::optional<double> value = ParseDecimal(text);
    return value ? format(*value * factor) : std::string(text);
}

// A token of a chain text, its number perhaps opening or closing a double
// quote, which stays where it is.
std::string ScaledToken(std::string_view token, double factor, NumberFormat format) {
    const bool opens = token.starts_with('"');
    const std::string_view rest = opens ? token.substr(1) : token;
    const bool closes = !rest.empty() && rest.ends_with('"');
    const std::string_view number = closes ? rest.substr(0, rest.size() - 1) : rest;
    std::string out(opens ? "\"" : "");
    out += ScaledNumber(number, factor, format);
    if (closes) {
        out += '"';
    }
    return out;
}

// The text with each blank-separated token replaced by rewrite(index,
// token); the blanks stay as they are.
template <typename Rewrite>
std::string RewriteTokens(std::string_view text, Rewrite rewrite) {
    std::string out;
    std::size_t index = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        if (text[position] == ' ') {
            out += ' ';
            ++position;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', position), text.size());
        out += rewrite(index++, text.substr(position, end - position));
        position = end;
    }
    return out;
}

std::size_t CountTokens(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; !NextToken(text, position).empty();) {
        ++count;
    }
    return count;
}

// Which tokens of a vertical control text, after its first station and
// elevation, are grades: each entry opens with one, followed by a station or
// by a curve's two stations in double quotes.
class CVerticalControlTokens {
  public:
    bool IsStation(std::string_view token) {
        if (gradeNext_) {
            gradeNext_ = false;
            return false;
        }
        const bool opens = token.starts_with('"');
        const bool closes = token.size() > (opens ? 1 : 0) && token.ends_with('"');
        inCurve_ = (inCurve_ || opens) && !closes;
        gradeNext_ = !inCurve_;
        return true;
    }

  private:
    bool gradeNext_ = true;
    bool inCurve_ = false;
};

void ScaleSections(double factor, std::vector<SectionPairs>& sections) {
    for (SectionPairs& section : sections) {
        section.station *= factor;
        if (section.centreElevation) {
            *section.centreElevation *= factor;
        }
        for (auto& [offset, elevation] : section.pairs) {
            offset *= factor;
            elevation *= factor;
        }
    }
}

void ScaleLeftOutSpirals(double factor, std::vector<LeftOutSpiral>& spirals) {
    for (LeftOutSpiral& spiral : spirals) {
        spiral.northing *= factor;
        spiral.easting *= factor;
        if (spiral.station) {
            *spiral.station *= factor;
        }
        if (spiral.chord) {
            *spiral.chord *= factor;
        }
    }
}

// A station of an equation as the report writes it; a text that is no
// number stays as the file gives it.
void ScaleEquationStation(double factor, std::string& station) {
    const CheckedNumber number = CheckNumber(station);
    if (number.fault == NumberFault::None) {
        station = ChainNumber(number.value * factor);
    }
}

}  // namespace

std::string ScalePointLine(std::string_view line, double factor) {
    std::string out;
    std::size_t field = 0;
    for (std::size_t begin = 0;; ++field) {
        const std::size_t comma = line.find(',', begin);
        const std::string_view text = line.substr(begin, comma - begin);
        const std::optional<double> value = ParseDecimal(text);
        const bool scaled =
            field >= 1 && field <= 3 && value && *value != 0.0 && std::isfinite(*value);
        out += scaled ? FormatFiniteF(*value * factor) : std::string(text);
        if (comma == std::string_view::npos) {
            return out;
        }
        out += ',';
        begin = comma + 1;
    }
}

std::string ScaleHorizontalControl(std::string_view text, double factor) {
    return RewriteTokens(text, [factor](std::size_t index, std::string_view token) {
        return index == 1 ? ScaledNumber(token, factor, FormatFiniteF) : std::string(token);
    });
}

std::string ScaleVerticalControl(std::string_view text, double factor) {
    CVerticalControlTokens tokens;
    return RewriteTokens(text, [factor, &tokens](std::size_t index, std::string_view token) {
        const bool length = index < 2 || tokens.IsStation(token);
        return length ? ScaledToken(token, factor, ChainNumber) : std::string(token);
    });
}

std::string ScaleTemplate(std::string_view text, double factor) {
    const std::size_t count = CountTokens(text);
    return RewriteTokens(text, [factor, count](std::size_t index, std::string_view token) {
        // The station, and the widths of the pairs before the closing group.
        const bool length = index == 0 || (index % 2 == 0 && index + 3 < count);
        return length ? ScaledNumber(token, factor, ChainNumber) : std::string(token);
    });
}

void ScaleContent(double factor, ConversionContent& content) {
    for (std::string& point : content.points) {
        point = ScalePointLine(point, factor);
    }
    content.horizontalControl = ScaleHorizontalControl(content.horizontalControl, factor);
    content.verticalControl = ScaleVerticalControl(content.verticalControl, factor);
    for (TemplateList* templates : {&content.leftTemplates, &content.rightTemplates}) {
        for (std::string& text : *templates) {
            text = ScaleTemplate(text, factor);
        }
    }
    ScaleSections(factor, content.sectionPairs);
    ScaleLeftOutSpirals(factor, content.horizontal.spiralsLeftOut);
    content.horizontal.largestSpiralDeviation *= factor;
    content.sections.largestDeviation *= factor;
    content.sections.largestDeviationStation *= factor;
}

void ScaleReport(double factor, ConversionReport& report) {
    report.horizontal.largestSpiralDeviation *= factor;
    for (ConversionReport::SpiralLeftOut& spiral : report.spiralsLeftOut) {
        if (spiral.station) {
            *spiral.station *= factor;
        }
        if (spiral.chord) {
            *spiral.chord *= factor;
        }
    }
    for (StationEquation& equation : report.stationEquations) {
        ScaleEquationStation(factor, equation.back);
        ScaleEquationStation(factor, equation.ahead);
        ScaleEquationStation(factor, equation.internal);
    }
}

}  // namespace chainforge
