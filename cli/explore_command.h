#pragma once

namespace qvn {

// qvn explore [--max-states=N] [--json] STORY
int RunExploreCommand(int argc, char** argv);

}  // namespace qvn
