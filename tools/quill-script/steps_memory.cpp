// The host's memory as tests need it: a pool that refuses on demand (pool),
// and the live pool and global memory blocks counted against a noted point
// (note blocks, expect blocks). None pumps.
#include "platform/platform.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

void Pool(Scenario& scenario, const Step& step) {
  const Word& what = Arg(step, 1, "full or free");
  NoMoreArgs(step, 2);
  if (what.quoted || (what.text != "full" && what.text != "free")) throw StepFailure{"full or free", Quote(what.text)};
  scenario.host().setPoolRefusing(scenario.session(), what.text == "full");
}

BlockCounts LiveBlocks(Scenario& scenario) {
  return BlockCounts{scenario.host().livePoolBlocks(), PlatformLiveGlobalBlocks()};
}

void Note(Scenario& scenario, const Step& step) {
  const Word& what = Arg(step, 1, "blocks");
  NoMoreArgs(step, 2);
  if (what.quoted || what.text != "blocks") throw StepFailure{"blocks", Quote(what.text)};
  scenario.noteBlocks(LiveBlocks(scenario));
}

void ExpectBlocks(Scenario& scenario, const Step& step) {
  const std::int64_t pool = NumberArg(step, 2, "the change of live pool blocks");
  const std::int64_t global = NumberArg(step, 3, "the change of live global memory blocks");
  NoMoreArgs(step, 4);
  const BlockCounts now = LiveBlocks(scenario);
  const BlockCounts noted = scenario.notedBlocks();
  const std::int64_t poolChange = now.pool - noted.pool;
  const std::int64_t globalChange = now.global - noted.global;
  if (poolChange != pool || globalChange != global)
    throw StepFailure{"blocks " + std::to_string(pool) + " " + std::to_string(global),
                      "blocks " + std::to_string(poolChange) + " " + std::to_string(globalChange)};
}

}  // namespace

void AddMemoryWords(std::vector<StepWord>* words) {
  words->push_back({"pool", false, Pool});
  words->push_back({"note", false, Note});
  words->push_back({"expect blocks", false, ExpectBlocks});
}

}  // namespace script
