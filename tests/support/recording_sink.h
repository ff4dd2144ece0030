#pragma once

#include <vector>

#include "toolpath/tool_move.h"

// Keeps every move a layout hands over, for tests.
class RecordingSink : public mensora::MoveSink
{
public:
    void move(const mensora::ToolMove& move) override { moves.push_back(move); }
    std::vector<mensora::ToolMove> moves;
};
