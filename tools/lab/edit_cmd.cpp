// galaputt-lab edit (--hole FILE | --new) --script SCRIPT --out FILE: the hole
// editor's changes applied without a window, to a hole file or to the room a
// new hole starts as in the editor (named after --out). The script's
// operations are the editor's (see tools/editor/edit_script.h); each "save"
// line writes the hole to --out, and so does the end of a script that has
// none. Prints the resulting hole as `hole` does, with the numbers of the
// areas the script added.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/random.h"
#include "game/hole_file.h"
#include "game/state.h"
#include "tools/editor/course_file.h"
#include "tools/editor/edit_script.h"
#include "tools/editor/hole_model.h"
#include "tools/lab/hole_json.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"

namespace gp::lab {

namespace {

int RunEdit(const Args& args) {
  const std::string* hole = Option(args, "--hole");
  const std::string* script = Option(args, "--script");
  const std::string* out = Option(args, "--out");
  const bool fresh = HasFlag(args, "--new");
  if ((!hole) == !fresh || !script || !out)
    return Fail("edit needs --hole FILE or --new, --script SCRIPT and --out FILE");
  editor::HoleModel model;
  std::string error;
  if (fresh) {
    model = editor::HoleModel(editor::NewHoleText(std::filesystem::path(*out).stem().string(), ""));
  } else if (!editor::HoleModel::Load(*hole, model, error)) {
    return Fail(error);
  }
  std::ifstream in(*script, std::ios::binary);
  if (!in) return Fail("cannot read " + *script);
  std::ostringstream text;
  text << in.rdbuf();
  const auto save = [&](std::string& why) { return model.Save(*out, why); };
  const editor::ScriptRun run = editor::RunEditScript(model, text.str(), save);
  if (!run.ok()) return Fail(*script + ":" + std::to_string(run.line) + ": " + run.error);
  if (run.saves == 0 && !model.Save(*out, error)) return Fail(error);

  ResetGameState();
  Randomize(0);
  gs().numplayers = 1;
  LoadHoleText(model.Text());
  Json j;
  j.BeginObject();
  WriteHoleFields(j, 1);
  j.Key("added").BeginArray();
  for (int n : run.added) j.Int(n);
  j.EndArray().EndObject().Print();
  return 0;
}

const Registrar kEdit({"edit", "[--hole FILE] [--new] --script SCRIPT --out FILE", RunEdit});

}  // namespace

}  // namespace gp::lab
