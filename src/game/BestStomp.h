// The best stomp of all runs, shown as "Best Ever", kept between runs in one
// small file in the player's data folder: the count in decimal and a newline.
#pragma once

#include <filesystem>

class BestStompFile {
 public:
  // best-stomp in the game's data folder; empty when the player has none.
  static std::filesystem::path playerFile();

  explicit BestStompFile(std::filesystem::path file) : file_(std::move(file)) {}

  // The stored best. A missing file counts as 0; so does one that cannot be
  // read or holds no count, with one line on stderr naming it. Such a file is
  // left as it is until a new record replaces it.
  int load() const;
  // Stores a new best at once, unless the file already holds one as good (from
  // another run, maybe still playing): read, compared and written under the
  // file's lock, so no other game's record is lost in between. Returns the best
  // on record, the file's when it is higher. A failure gives one line on
  // stderr, only the first time, and the game plays on.
  int save(int best);

 private:
  std::filesystem::path file_;
  bool reportedSaveFailure_ = false;
};
