// The saved pad mappings: the text a player can read and edit, the file kept
// whole through crashes, and what the reader does with a file it cannot use.
// Every test has a config dir of its own under the system temp dir.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "input/DancePad.h"
#include "core/UserFiles.h"
#include "input/PadMappingFile.h"
#include "support/Files.h"
#include "support/VirtualPad.h"

namespace {

using testpad::VirtualPad;

const std::string kGuidA = "03000000790000001100000000000000";
const std::string kGuidB = "0300000057696900060000000a000000";

// No temporary file is left beside the mapping file: only its lock.
bool onlyTheFileIn(const std::string& path) {
  std::filesystem::path file(path);
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
    if (entry.path() != file && entry.path().filename() != ".pads.txt.lock") return false;
  return true;
}

// Every kind of input, a slot with none and a slot with several.
PadMapping oddMapping() {
  PadMapping m = PadMapping::defaults();
  m.slots[kSlotUp] = {PadInputId::button(14), PadInputId::hat(1, PadInputId::kHatUp)};
  m.slots[kSlotLeft] = {PadInputId::axis(3, -1)};
  m.slots[kSlotRight] = {PadInputId::axis(3, +1), PadInputId::hat(0, PadInputId::kHatRight)};
  m.slots[kSlotSelect] = {};
  return m;
}

class PadMappingFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
  static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

  void SetUp() override {
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    path = configHome + "/stompalong/pads.txt";
  }

  testfiles::TempDir config{"padfile-config"};
  std::string configHome = config.path().string(), path;
};

TEST_F(PadMappingFileTest, SavedMappingsReadBackAsTheyWereForEachDevice) {
  PadMappingFile file;
  ASSERT_EQ(file.path(), path);
  file.load();
  EXPECT_TRUE(file.save(kGuidA, "Pad A", oddMapping()));
  EXPECT_TRUE(file.save(kGuidB, "Pad B, with\ta tab\nand a newline", PadMapping::defaults()));
  PadMapping changed = oddMapping();
  changed.slots[kSlotStart] = {PadInputId::button(11)};
  EXPECT_TRUE(file.save(kGuidA, "Pad A", changed));  // the other device's block stays

  PadMappingFile again;
  again.load();
  ASSERT_EQ(again.pads().size(), 2u);
  ASSERT_NE(again.find(kGuidA), nullptr);
  EXPECT_EQ(*again.find(kGuidA), changed);
  ASSERT_NE(again.find(kGuidB), nullptr);
  EXPECT_EQ(*again.find(kGuidB), PadMapping::defaults());
  EXPECT_EQ(again.pads()[1].name, "Pad B, with a tab and a newline");
  EXPECT_EQ(again.find("ffffffffffffffffffffffffffffffff"), nullptr);

  std::string text = testfiles::readText(path);  // one line per slot, in words a player can edit
  EXPECT_NE(text.find("\n[" + kGuidA + "]\nname = Pad A\nStart = button 11\nSelect =\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nUp = button 14, hat 1 up\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nRight = axis 3 +, hat 0 right\n"), std::string::npos) << text;
  EXPECT_TRUE(onlyTheFileIn(path));
}

// Spacing, letter case, comments, CRLF line ends and slots left out, as a
// person editing the file might write it; the pad then plays by it.
TEST_F(PadMappingFileTest, AHandEditedFileIsReadAndUsed) {
  VirtualPad pad({.name = "Edited Pad", .buttons = 16, .hats = 1, .product = 0x0031});
  ASSERT_TRUE(pad.ok());
  std::string guid = pad.guid();
  std::string upper = guid;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  testfiles::writeText(path,
                       "# my pad, set up by hand\r\n"
                       "\n"
                       "  [ " + upper + " ]  \r\n"
                       "name=whatever I like\n"
                       "   up = button 14 ,hat 0   up  \n"
                       "LEFT = button 12\r\n"
                       "\t# Select does nothing on this pad\n"
                       "Select =\n");
  PadMappingParse parsed = parsePadMappings(testfiles::readText(path));
  ASSERT_EQ(parsed.errorLine, 0) << parsed.error;
  ASSERT_EQ(parsed.pads.size(), 1u);
  EXPECT_EQ(parsed.pads[0].guid, guid);
  EXPECT_EQ(parsed.pads[0].name, "whatever I like");
  PadMapping expected = PadMapping::defaults();
  expected.slots[kSlotUp] = {PadInputId::button(14), PadInputId::hat(0, PadInputId::kHatUp)};
  expected.slots[kSlotLeft] = {PadInputId::button(12)};
  expected.slots[kSlotSelect] = {};
  EXPECT_EQ(parsed.pads[0].mapping, expected);

  DancePad pads;
  testing::internal::CaptureStdout();
  pads.open();
  pads.poll();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("\nPad 0: saved mapping from " + path), std::string::npos);
  pad.set(14, true);
  pad.set(9, true);  // Select's default button, taken away by the file
  pad.set(0, true);  // Left's default button, replaced by the file
  pads.poll();
  EXPECT_TRUE(pads.current[0][kSlotUp]);
  EXPECT_FALSE(pads.current[0][kSlotSelect]);
  EXPECT_FALSE(pads.current[0][kSlotLeft]);
  pad.set(12, true);
  pads.poll();
  EXPECT_TRUE(pads.current[0][kSlotLeft]);
}

TEST_F(PadMappingFileTest, EachMistakeIsFoundOnItsLine) {
  const std::string block = "[" + kGuidA + "]\n";
  struct Case {
    std::string text;
    int line;
    std::string error;
  };
  const Case cases[] = {
      {"Up = button 2\n", 1, "a setting before the first [GUID] line"},
      {"[0300000079000000110000000000000]\n", 1, "expected \"[\" and 32 hexadecimal digits and \"]\""},
      {"[0300000079000000110000000000000g]\n", 1, "expected \"[\" and 32 hexadecimal digits and \"]\""},
      {"[" + kGuidA + "\n", 1, "expected \"[\" and 32 hexadecimal digits and \"]\""},
      {block + "\n# fine so far\nUpp = button 2\n", 4, "unknown slot \"Upp\""},
      {block + "Up = buton 2\n", 2, "unknown input \"buton 2\""},
      {block + "Up = button 2,, button 3\n", 2, "unknown input \"\""},
      {block + "Up = button 2,\n", 2, "unknown input \"\""},
      {block + "Up = button -2\n", 2, "unknown input \"button -2\""},
      {block + "Up = button 1234\n", 2, "unknown input \"button 1234\""},
      {block + "Up = axis 0 *\n", 2, "unknown input \"axis 0 *\""},
      {block + "Up = hat 0 sideways\n", 2, "unknown input \"hat 0 sideways\""},
      {block + "Up = button\n", 2, "unknown input \"button\""},
      {block + "Up button 2\n", 2, "expected \"[GUID]\" or \"slot = inputs\""},
      {block + "Up = button 2\nup = button 3\n", 3, "Up is given twice for this device"},
      {block + "name = a\nName = b\n", 3, "name is given twice for this device"},
      {block + "\n" + block, 3, "device " + kGuidA + " appears twice"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 1, "expected \"[GUID]\" or \"slot = inputs\""},
      // A bad line is quoted 80 characters at most, what a terminal would act on escaped.
      {block + "Up = \x1b[31m" + std::string(100, 'x') + "\n", 2,
       "unknown input \"\\x1b[31m" + std::string(75, 'x') + "\"..."},
  };
  for (const Case& c : cases) {
    PadMappingParse parsed = parsePadMappings(c.text);
    EXPECT_EQ(parsed.errorLine, c.line) << c.text;
    EXPECT_EQ(parsed.error, c.error) << c.text;
    EXPECT_TRUE(parsed.pads.empty()) << c.text;
  }
}

TEST_F(PadMappingFileTest, ACorruptFileCostsOneLineGivesTheDefaultsAndIsNeverWritten) {
  VirtualPad pad({.buttons = 16, .product = 0x0041});
  ASSERT_TRUE(pad.ok());
  const std::string corrupt = std::string("[").append(pad.guid()).append("]\nUp = button 14\nDown = button 15 please\n");
  testfiles::writeText(path, corrupt);

  DancePad pads;
  testing::internal::CaptureStderr();
  pads.open();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Stompalong: " + path + " line 3: unknown input \"button 15 please\"; using the default pad mappings\n");
  pads.poll();
  EXPECT_EQ(pads.mapping(0), PadMapping::defaults()) << "the file's good lines are not half-used";
  pad.set(2, true);  // Up's default button
  pads.poll();
  EXPECT_TRUE(pads.current[0][kSlotUp]);

  testing::internal::CaptureStderr();
  EXPECT_FALSE(pads.setMapping(0, oddMapping()));
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("not saved: " + path + " has errors"), std::string::npos) << errors;
  EXPECT_EQ(testfiles::readText(path), corrupt);
  EXPECT_EQ(pads.mapping(0), oddMapping()) << "applies for this run all the same";
  EXPECT_TRUE(onlyTheFileIn(path));
}

// A save that would make the file larger than the game reads is refused.
TEST_F(PadMappingFileTest, ASaveThatWouldPassTheReadLimitLeavesTheFile) {
  // As many devices as fit, the last one's name long enough to end 10 bytes short of 1 MiB.
  const SavedPad one{kGuidB, "", PadMapping::defaults()};
  const size_t header = formatPadMappings({}).size(), block = formatPadMappings({one}).size() - header;
  std::vector<SavedPad> pads(((1 << 20) - header) / block - 1);
  for (size_t pad = 0; pad < pads.size(); ++pad) {
    char guid[33];
    std::snprintf(guid, sizeof guid, "%032zx", pad);
    pads[pad] = {guid, "", PadMapping::defaults()};
  }
  pads.back().name.assign((1 << 20) - 10 - formatPadMappings(pads).size(), 'n');
  const std::string text = formatPadMappings(pads);
  testfiles::writeText(path, text);
  PadMappingFile file;
  file.load();
  ASSERT_FALSE(file.broken());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(file.save(kGuidA, "Pad A", oddMapping()));
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("not saved: " + path + " would grow past"), std::string::npos) << errors;
  EXPECT_TRUE(testfiles::readText(path) == text);
}

TEST_F(PadMappingFileTest, AFileThatCannotBeReadCostsOneLine) {
  std::filesystem::create_directories(path);  // a directory where the file should be
  PadMappingFile file;
  testing::internal::CaptureStderr();
  file.load();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Stompalong: cannot read " + path + ": Is a directory; using the default pad mappings\n");
  EXPECT_TRUE(file.broken());
  EXPECT_TRUE(file.pads().empty());
}

// The child process dies after writing the new file and before renaming it
// over the old one, as a crash or a power cut would leave it.
TEST_F(PadMappingFileTest, ACrashBetweenWriteAndRenameLeavesTheOldFile) {
  PadMappingFile file;
  file.load();
  ASSERT_TRUE(file.save(kGuidA, "Pad A", PadMapping::defaults()));
  const std::string old = testfiles::readText(path);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    userfiles::beforeRename = [](const std::filesystem::path&) { _exit(42); };
    PadMappingFile doomed;
    doomed.load();
    doomed.save(kGuidA, "Pad A", oddMapping());
    _exit(0);  // never reached if the hook ran
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 42) << "the crash came before the rename";

  EXPECT_EQ(testfiles::readText(path), old);
  PadMappingFile after;
  after.load();
  EXPECT_FALSE(after.broken());
  ASSERT_NE(after.find(kGuidA), nullptr);
  EXPECT_EQ(*after.find(kGuidA), PadMapping::defaults());
  EXPECT_TRUE(after.save(kGuidA, "Pad A", oddMapping()));  // the leftover is simply written over
  EXPECT_TRUE(onlyTheFileIn(path));
  PadMappingFile last;
  last.load();
  EXPECT_EQ(*last.find(kGuidA), oddMapping());
}

TEST_F(PadMappingFileTest, TheFileLivesUnderXdgConfigHomeElseHomeDotConfig) {
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", "/home/player", 1);
  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(PadMappingFile::defaultPath(), "/tmp/cfg/stompalong/pads.txt");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(PadMappingFile::defaultPath(), "/home/player/.config/stompalong/pads.txt");
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored, as the XDG rules say
  EXPECT_EQ(PadMappingFile::defaultPath(), "/home/player/.config/stompalong/pads.txt");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(PadMappingFile::defaultPath(), "/home/player/.config/stompalong/pads.txt");
  unsetenv("HOME");
  EXPECT_EQ(PadMappingFile::defaultPath(), "");

  PadMappingFile nowhere;  // with nowhere to keep it, a save says so once
  nowhere.load();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(nowhere.save(kGuidA, "Pad A", oddMapping()));
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_EQ(*nowhere.find(kGuidA), oddMapping());
  if (!home.empty()) setenv("HOME", home.c_str(), 1);
}

}  // namespace
