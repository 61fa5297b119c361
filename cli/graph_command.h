#pragma once

namespace qvn {

// qvn graph [--format=dot|svg] [--explore] STORY
int RunGraphCommand(int argc, char** argv);

}  // namespace qvn
