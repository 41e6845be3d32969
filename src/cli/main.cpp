// zelmora-cli: reads and writes document files without the window, for
// checking drawings and converting them from scripts.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/json_dump.h"
#include "cli/load_document.h"
#include "cli/macro_commands.h"
#include "cli/measure_command.h"
#include "cli/plane_operations.h"
#include "cli/render_command.h"
#include "cli/task_commands.h"
#include "document/document_file.h"
#include "geometry/construction_protocol.h"

namespace zelmora {
namespace {

constexpr int kDone = 0;
constexpr int kFileFailed = 1;
constexpr int kBadUsage = 2;

constexpr const char* kHelp = R"(Usage:
  zelmora-cli dump FILE.zms [OPERATIONS...] [--save OUT.zms]
      Loads the document, applies the operations in the order given and
      prints the document as JSON: author, comment and every object with
      its index, kind, name, color (0x00BBGGRR as a number), width,
      penStyle, nameVisible, mustDraw, defined, hidden, method, parents,
      children and its geometry (point x, y; line x1, y1, x2, y2, bounded1,
      bounded2, endsOff; circle cx, cy, r; angle and length value; a
      measurement's value in plane units or degrees, unrounded, null when
      it has none, and its caption; a text's x, y, fontSize, text as typed
      and shown, the text with its fields filled in).
      With --save the changed document is saved to OUT.zms instead and
      nothing is printed.
  zelmora-cli convert IN.zms OUT.zms
      Loads IN.zms and saves it as OUT.zms in the current format.
  zelmora-cli render FILE.zms OUT [--size WxH] [--rect X1 Y1 X2 Y2] [--smooth]
      Paints the document exactly as the window does (white background,
      objects in list order, labels in the default font) on a drawing
      surface of WxH pixels (default 1024x768) and writes it to OUT.
      --rect writes only the rectangle between the corners (X1, Y1) and
      (X2, Y2), cut to the surface. --smooth paints the pixel formats as
      the window does with "Сглаживание" on: lines, circles and labels
      antialiased. Needs the desktop build.
)";

constexpr const char* kHelpAfterRender =
    R"(  zelmora-cli record-macro DOC.zms OUT.zmm --args I[,I...] --results J[,J...]
              [--hint TEXT]... [--name NAME] [--rename-on-load] [--drop-superfluous]
      Records a macro from the document: the --args objects in order are its
      arguments, each with the next --hint as its prompt (empty when none is
      left), the --results objects its results. Arguments no result uses are
      kept unless --drop-superfluous is given. The macro name is NAME, or the
      file name of OUT.zmm without its last four characters. A macro whose
      results do not rest on the arguments alone is refused (exit 1).
  zelmora-cli apply-macro DOC.zms MACRO.zmm I[,I...] [--save OUT.zms]
      Applies the macro to the objects I, one per argument and of the kind
      the macro asks for, and prints the resulting document as dump does
      (or saves it to OUT.zms and prints nothing).
  zelmora-cli protocol DOC.zms [--html OUT.html]
      Prints the construction protocol: one line per object in drawing
      order, numbered from 1, saying how it was built ("3. Середина отрезка
      AB: точка C"). With --html it writes the protocol as a web page
      instead: the table of the steps and a small picture of the drawing
      (needs the desktop build).
  zelmora-cli make-task DOC.zms OUT.zmt --givens I[,I...] --targets J[,J...]
              [--title TEXT] [--statement TEXT]... [--allow CODE[,CODE...]|--allow compass-ruler]
              [--max-steps L] [--max-elementary E] [--hint TEXT]...
      Makes a construction task from the document: the --givens objects (with
      what they are built on) are what a pupil starts from, in the drawing's
      order; the --targets objects are to be built, and their construction
      from the givens is kept as the answer. Each --statement is a line of
      the statement, each --hint a hint. --allow names the methods a pupil
      may use by their codes, or the set of a ruler and a compass (free and
      sliding points, crossings, line, segment, ray, circle by centre and
      point or radius); without it every method is allowed. --max-steps and
      --max-elementary set the budget of tool uses (L) and of elementary
      ruler-and-compass steps (E). Exit status 1 when a target rests on an
      object placed by hand that is not given (the message names it), 2 for
      wrong usage or a file that cannot be read or written.
  zelmora-cli check-task TASK.zmt ATTEMPT.zms... [--json]
      Checks each attempt, a drawing that starts with the task's givens, on
      the picture as it stands and on random placings of the givens and of
      the pupil's own free objects. Prints a line per attempt (solved or
      not, each target built, only-here or missing, steps, forbidden method
      codes), or with --json an array of {"file", "solved", "targets":
      [{"index", "status"}], "steps", "elementary", "forbidden", "error"}:
      index counts the targets from 0 in the order make-task was given them,
      status is "built", "only-here" or "missing", error is null for an
      attempt that was checked.
      Exit status 0 when every attempt is solved, 1 when some is not, 2 when
      a file is unreadable or is not an attempt of the task.
  zelmora-cli measure DOC.zms distance I J | length I | radius I | angle I J K
              | angle-lines I J [OPERATIONS...]
      Prints the value a measurement of the objects would have after the
      operations (see below; --drag I PX PY X Y as in dump): the distance of
      two points, the length of a segment, the radius of a circle (plane
      units), the angle at J between J->I and J->K (0 to 180 degrees) or
      between two lines (0 to 90 degrees); unrounded, or "undefined" when it
      has none. An object of the wrong kind is wrong usage (exit 2).
  zelmora-cli --help
      Shows this text.
  zelmora-cli --version
      Shows the version.

Operations (object numbers count from 0 in list order; X, Y, CX, CY are
whole pixels, the other numbers may have fractions and lie within +-9.2e18,
the range a document file holds):
  --drag I PX PY X Y     drag object I as the mouse does, from (PX, PY) to (X, Y)
  --shift I PX PY X Y    the same as a Shift-drag (parallel move)
  --delete I             delete object I with everything built on it
  --zoom CX CY K         scale the whole drawing by K (0.1 to 10) about (CX, CY)
  --translate PX PY X Y  move the whole drawing as a mouse drag from (PX, PY) to (X, Y)
  --rotate CX CY PX PY X Y
                         turn the whole drawing about (CX, CY) as the mouse turns
                         from (PX, PY) to (X, Y)
  --reflect-point PX PY  reflect the whole drawing in the point (PX, PY)
  --reflect-line X1 Y1 X2 Y2
                         reflect the whole drawing in the line through two points

Exit status: 0 done, 1 a file could not be read or written, 2 wrong usage.
)";

int Usage(const std::string& problem) {
  std::cerr << "zelmora-cli: " << problem << " (see zelmora-cli --help)\n";
  return kBadUsage;
}

int Save(const std::string& path, const ObjectList& list, const DocumentInfo& info) {
  const SaveResult saved = SavePlane(path, list, info);
  if (!saved.ok) {
    std::cerr << "zelmora-cli: " << saved.error << "\n";
    return kFileFailed;
  }
  return kDone;
}

int Dump(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("dump needs a file");
  std::vector<std::string> rest(args.begin() + 1, args.end());
  std::optional<std::string> saveTo;
  const auto save = std::find(rest.begin(), rest.end(), "--save");
  if (save != rest.end()) {
    if (save + 1 == rest.end()) return Usage("--save needs a file");
    saveTo = *(save + 1);
    rest.erase(save, save + 2);
  }
  std::string error;
  const auto operations = ParseOperations(rest, error);
  if (!error.empty()) return Usage(error);
  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  for (const PlaneOperation& operation : operations) {
    error = operation(list);
    if (!error.empty()) return Usage(error);
  }
  if (saveTo) return Save(*saveTo, list, info);
  std::cout << DumpJson(list, info);
  return std::cout.flush() ? kDone : kFileFailed;
}

int Convert(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("convert needs an input and an output file");
  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  return Save(args[1], list, info);
}

int Protocol(const std::vector<std::string>& args, const std::string& programFolder) {
  std::optional<std::string> html;
  if (args.size() == 3 && args[1] == "--html") {
    html = args[2];
  } else if (args.size() != 1) {
    return Usage("protocol needs a file and at most --html OUT.html");
  }
  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  if (html) {
    const std::string title = std::filesystem::path(args[0]).stem().string();
    return WriteProtocolPage(list, title, *html, programFolder);
  }
  std::cout << ProtocolText(BuildProtocol(list));
  return std::cout.flush() ? kDone : kFileFailed;
}

}  // namespace
}  // namespace zelmora

int main(int argc, char** argv) {
  using namespace zelmora;
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kHelp << RenderHelp() << kHelpAfterRender;
    return kDone;
  }
  if (command == "--version") {
    std::cout << "zelmora-cli " << ZELMORA_VERSION << "\n";
    return kDone;
  }
  if (command == "dump") return Dump(args);
  if (command == "convert") return Convert(args);
  if (command == "make-task") return MakeTaskCommand(args);
  if (command == "check-task") return CheckTaskCommand(args);
  if (command == "measure") return MeasureCommand(args);
  // The data files (point glyphs, error texts) lie next to the executable.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string programFolder = error ? std::string(".") : self.parent_path().string();
  if (command == "render") return RenderCommand(args, programFolder);
  if (command == "record-macro") return RecordMacroCommand(args, programFolder);
  if (command == "protocol") return Protocol(args, programFolder);
  if (command == "apply-macro") return ApplyMacroCommand(args, programFolder);
  return Usage("unknown command \"" + command + "\"");
}
