#pragma once

#include <optional>
#include <string_view>

#include "model/machine_job.h"
#include "toolpath/tool_move.h"
#include "writers/line_buffer.h"
#include "writers/program_frame.h"
#include "writers/text_sink.h"

namespace mensora {

// What the machine G-code dialects share: line numbers when the job wants them, numbers in
// fixed decimals with "." whatever the locale, a feed or power word only when its value
// changes, the tool's position, and arcs whose centres are offsets from their start points.
// Every line ends in CR LF.
class GcodeLines
{
public:
    GcodeLines(TextSink& sink, const MachineJob& job);

    // Starts a line with its first word: "N7 G0", or "G0" without line numbers.
    void start(std::string_view command);
    // A word after a blank: " Z-0.1".
    void word(char address, double value);
    // The same, in so many decimals (0 to 8).
    void word(char address, double value, int decimals);
    // " F100" or " S1000", unless the last one written of that letter had the same value.
    void modalWord(char address, double value);
    // The next feed word is written whatever its value: its meaning changed (inverse time).
    void forgetFeed() { m_feed.reset(); }
    void end() { m_out.endLine(); }
    // A whole line of one command.
    void line(std::string_view command);

    // The lines of a dialect's frame whose condition holds, filled in from the job (see
    // FrameLine): the title is the job's, the modes `modes`, the axis `axis`, and a closing's
    // inverse time is on when `inverseTime` is.
    void frame(std::span<const FrameLine> lines, std::string_view modes, char axis = 'A',
        bool inverseTime = false);

    // " X.. Y..": the rapid's point, which becomes the tool's position.
    void point(const Rapid& rapid);
    // The words of a cut's end, only the axes it names.
    void cutEnd(const Cut& cut);
    // Starts an arc's line: "G2" or "G3", its end, and its centre as I and J offsets from the
    // tool's position.
    void startArc(const Arc& arc);

    // Hands everything to the sink.
    void flush() { m_out.flush(); }

private:
    LineBuffer m_out;
    const MachineJob& m_job;
    bool m_numbered;
    int m_decimals;
    double m_x = 0;
    double m_y = 0;
    std::optional<double> m_feed;
    std::optional<double> m_power;
};

} // namespace mensora
