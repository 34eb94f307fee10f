// The batch's report: its JSON form, the lines printed for each file and the
// summary.
#include <string_view>

#include "convert/BatchConversion.h"
#include "landxml/NumberText.h"

namespace chainforge {
namespace {

std::string Count(std::size_t count) {
    return FormatInt(static_cast<std::int64_t>(count));
}

std::string Key(std::string_view key) {
    return JsonString(std::string(key)) + ": ";
}

std::string NameOrNull(const std::optional<std::string>& name) {
    return name ? JsonString(*name) : "null";
}

// text, a JSON value over several lines ended by a line feed, as the value of
// a key whose line is indented by indent: its later lines indented as much.
std::string Nested(std::string_view text, const std::string& indent) {
    if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') {
            out += indent;
        }
    }
    return out;
}

std::string Strings(const std::vector<std::string>& texts, const std::string& indent) {
    if (texts.empty()) {
        return "[]";
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += indent + "  " + JsonString(texts[i]) + (i + 1 < texts.size() ? ",\n" : "\n");
    }
    return out + indent + "]";
}

std::string AlignmentJson(const BatchAlignment& alignment) {
    const std::string indent = "          ";
    std::string out = "        {\n";
    out += indent + Key("name") + JsonString(alignment.name) + ",\n";
    out += indent + Key("file") + JsonString(alignment.path) + ",\n";
    out += indent + Key("profile") + NameOrNull(alignment.profile) + ",\n";
    out += indent + Key("surface") + NameOrNull(alignment.surface) + ",\n";
    out += indent + Key("status") + JsonString(BatchStatusText(alignment.status)) + ",\n";
    out += indent + Key("report") + Nested(ReportJson(alignment.report), indent) + "\n";
    return out + "        }";
}

std::string FileJson(const BatchFile& file) {
    const std::string indent = "      ";
    std::string out = "    {\n";
    out += indent + Key("input") + JsonString(file.input) + ",\n";
    out += indent + Key("folder") + JsonString(file.folder) + ",\n";
    out += indent + Key("status") + JsonString(BatchStatusText(file.status)) + ",\n";
    out += indent + Key("messages") + Strings(file.messages, indent) + ",\n";
    out += indent + Key("point_file") + JsonString(file.pointsPath) + ",\n";
    out += indent + Key("points") + Nested(ReportJson(file.points), indent) + ",\n";
    out += indent + Key("alignments") + "[";
    for (std::size_t i = 0; i < file.alignments.size(); ++i) {
        out += (i == 0 ? "\n" : ",\n") + AlignmentJson(file.alignments[i]);
    }
    out += file.alignments.empty() ? "]\n" : "\n" + indent + "]\n";
    return out + "    }";
}

std::string CountsJson(const BatchCounts& counts) {
    std::string out = "{";
    out += Key("total") + Count(counts.Total()) + ", ";
    out += Key("converted") + Count(counts.converted) + ", ";
    out += Key("with_messages") + Count(counts.withMessages) + ", ";
    out += Key("failed") + Count(counts.failed) + ", ";
    return out + Key("not_started") + Count(counts.notStarted) + "}";
}

std::string CountsText(const BatchCounts& counts) {
    return Count(counts.converted) + " converted, " + Count(counts.withMessages) +
           " with messages, " + Count(counts.failed) + " failed, " + Count(counts.notStarted) +
           " not started";
}

// " (STATUS)" for all but a clean conversion.
std::string StatusSuffix(BatchStatus status) {
    return status == BatchStatus::Converted ? "" : " (" + BatchStatusText(status) + ")";
}

}  // namespace

void BatchCounts::Count(BatchStatus status) {
    switch (status) {
        case BatchStatus::Converted:
            ++converted;
            break;
        case BatchStatus::WithMessages:
            ++withMessages;
            break;
        case BatchStatus::Failed:
            ++failed;
            break;
        default:
            ++notStarted;
    }
}

BatchSummary SummarizeBatch(const BatchReport& report) {
    BatchSummary summary;
    for (const BatchFile& file : report.files) {
        summary.files.Count(file.status);
        for (const BatchAlignment& alignment : file.alignments) {
            summary.alignments.Count(alignment.status);
        }
    }
    return summary;
}

std::string BatchSummaryText(const BatchSummary& summary) {
    const std::size_t files = summary.files.Total();
    const std::size_t alignments = summary.alignments.Total();
    return Count(files) + (files == 1 ? " file (" : " files (") + CountsText(summary.files) +
           "), " + Count(alignments) + (alignments == 1 ? " alignment (" : " alignments (") +
           CountsText(summary.alignments) + ")";
}

std::string BatchReportJson(const BatchReport& report) {
    std::string out = "{\n  " + Key("files") + "[";
    for (std::size_t i = 0; i < report.files.size(); ++i) {
        out += (i == 0 ? "\n" : ",\n") + FileJson(report.files[i]);
    }
    out += report.files.empty() ? "],\n" : "\n  ],\n";
    const BatchSummary summary = SummarizeBatch(report);
    out += "  " + Key("summary") + "{" + Key("files") + CountsJson(summary.files) + ", " +
           Key("alignments") + CountsJson(summary.alignments) + "},\n";
    out += "  " + Key("stopped") + (report.stopped ? "true" : "false") + "\n";
    return out + "}\n";
}

std::string BatchFileText(const BatchFile& file) {
    std::string out = file.input + StatusSuffix(file.status) + "\n";
    if (!file.points.files.empty()) {
        out += "  points -> " + file.pointsPath + " (" + FormatInt(file.points.points.written) +
               " points)\n";
    }
    for (const BatchAlignment& alignment : file.alignments) {
        out +=
            "  " + alignment.name + " -> " + alignment.path + StatusSuffix(alignment.status) + "\n";
    }
    return out;
}

}  // namespace chainforge
