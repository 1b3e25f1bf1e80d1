#!/usr/bin/env python3
"""tools/check-layout on a copy of the source tree: the tree as it stands passes,
and each include planted against a rule fails it, naming the file that breaks it."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECKER = os.path.join(SOURCE, "tools", "check-layout")


def plant(root, path, line):
    """Adds an include line at the top of path under root, making the file when it is new."""
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    text = ""
    if os.path.exists(full):
        with open(full, encoding="utf-8") as source:
            text = source.read()
    with open(full, "w", encoding="utf-8") as source:
        source.write(line + "\n" + text)


class CheckLayoutTest(unittest.TestCase):
    def copy_of_the_tree(self, planted=()):
        """A copy of core/, gui/ and CMakeLists.txt (which lists the layers) in a temporary
        folder, with the planted lines."""
        root = tempfile.mkdtemp(prefix="check-layout-")
        self.addCleanup(shutil.rmtree, root)
        for side in ("core", "gui"):
            shutil.copytree(os.path.join(SOURCE, side), os.path.join(root, side))
        shutil.copy(os.path.join(SOURCE, "CMakeLists.txt"), root)
        for path, line in planted:
            plant(root, path, line)
        return root

    def set_layers(self, root, layers):
        """Puts another layer list in the copy's CMakeLists.txt; None takes the list away."""
        build = os.path.join(root, "CMakeLists.txt")
        with open(build, encoding="utf-8") as source:
            text = source.read()
        listed = "set(QUILLMOOR_LAYERS ground lang frame convert \"formats editing\" devices app)"
        self.assertIn(listed, text)
        with open(build, "w", encoding="utf-8") as source:
            source.write(text.replace(listed, "" if layers is None else layers))

    def run_checker(self, root):
        return subprocess.run([sys.executable, CHECKER, "--root", root],
                              capture_output=True, text=True, check=False)

    def test_the_tree_as_it_stands_passes(self):
        result = self.run_checker(self.copy_of_the_tree())
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(result.stdout, "")

    def test_a_planted_include_against_a_rule_fails_naming_the_file(self):
        cases = [
            # (what, [(file, planted line)], words the report must hold)
            ("the ground includes the app", [
                ("core/ground/FileServices.cpp", '#include "core/app/AppState.h"')],
             ["core/ground/FileServices.cpp", "core/app/AppState.h", "above"]),
            ("the languages include a service that speaks", [
                ("core/lang/Lang.cpp", '#include "core/frame/Session.h"')],
             ["core/lang/Lang.cpp", "core/frame/Session.h"]),
            ("the conversion includes a device", [
                ("core/convert/RunSteps.cpp", '#include "core/devices/Recorder.h"')],
             ["core/convert/RunSteps.cpp", "core/devices/Recorder.h"]),
            ("a subsystem's windows include the main window", [
                ("gui/devices/CdRipWindow.cpp", '#include "gui/app/MainWindow.h"')],
             ["gui/devices/CdRipWindow.cpp", "gui/app/MainWindow.h"]),
            ("a window of the frame includes a module of a higher core folder", [
                ("gui/frame/AboutBox.cpp", '#include "core/devices/CdRipper.h"')],
             ["gui/frame/AboutBox.cpp", "core/devices/CdRipper.h"]),
            ("two folders of one layer include each other", [
                ("core/formats/FormatEditor.cpp", '#include "core/editing/NumericKey.h"'),
                ("core/editing/NumericKey.cpp", '#include "core/formats/FormatEditor.h"')],
             ["core/editing", "core/formats", "each other"]),
            ("the core includes a window", [
                ("core/convert/CommandView.cpp", '#include "gui/ground/TextFit.h"')],
             ["core/convert/CommandView.cpp", "gui/ground/TextFit.h"]),
            ("the core includes a Qt Gui class", [
                ("core/ground/Dialogs.cpp", "#include <QColor>")],
             ["core/ground/Dialogs.cpp", "QColor"]),
            ("the core includes a Qt Widgets class", [
                ("core/frame/Session.cpp", "#include <QLabel>")],
             ["core/frame/Session.cpp", "QLabel"]),
            ("the core includes Qt Widgets by its module's path", [
                ("core/editing/Equalizer.cpp", "#include <QtWidgets/QWidget>")],
             ["core/editing/Equalizer.cpp", "QtWidgets/QWidget"]),
            ("the core includes the whole of Qt Gui", [
                ("core/devices/DeviceRun.cpp", "#include <QtGui>")],
             ["core/devices/DeviceRun.cpp", "QtGui"]),
            ("two modules of one folder include each other", [
                ("core/frame/Session.h", '#include "core/frame/FfmpegTools.h"')],
             ["modules that include each other", "core/frame/FfmpegTools", "core/frame/Session"]),
            ("a folder the layers do not name", [
                ("core/misc/Extra.cpp", '#include "core/ground/FileServices.h"')],
             ["core/misc/Extra.cpp", "no place in the layers"]),
        ]
        for what, planted, words in cases:
            with self.subTest(what):
                result = self.run_checker(self.copy_of_the_tree(planted))
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                for word in words:
                    self.assertIn(word, result.stdout)

    def test_what_the_layers_allow_passes(self):
        cases = [
            ("the app includes every subsystem", [
                ("core/app/Lifecycle.cpp", '#include "core/editing/Equalizer.h"'),
                ("gui/app/MainWindow.cpp", '#include "gui/ground/ConsoleBox.h"')]),
            ("one folder of a layer includes the other, one way only", [
                ("core/editing/NumericKey.cpp", '#include "core/formats/FormatEditor.h"')]),
            ("a window folder includes core folders of its own layer and below", [
                ("gui/convert/ProgressWindow.cpp", '#include "core/convert/ProfilePick.h"'),
                ("gui/convert/ProgressWindow.cpp", '#include "core/ground/FileServices.h"')]),
            ("main() includes the app", [
                ("gui/main.cpp", '#include "core/app/AppState.h"')]),
            ("the core includes Qt Core and the system", [
                ("core/ground/Dialogs.cpp", "#include <QString>"),
                ("core/ground/Dialogs.cpp", "#include <vector>")]),
        ]
        for what, planted in cases:
            with self.subTest(what):
                result = self.run_checker(self.copy_of_the_tree(planted))
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_the_layers_are_those_cmakelists_names(self):
        # With the frame listed below the languages, its use of the catalogue goes up.
        root = self.copy_of_the_tree()
        self.set_layers(root, "set(QUILLMOOR_LAYERS ground frame lang convert\n"
                              "    \"formats editing\" devices app)")
        result = self.run_checker(root)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        self.assertIn("core/frame/Session.cpp includes core/lang/Lang.h: core/lang stands above "
                      "core/frame", result.stdout)
        # Two folders that share a layer may not include each other, whichever they are.
        root = self.copy_of_the_tree([("core/devices/Recorder.cpp", '#include "core/app/AppState.h"'),
                                      ("core/app/AppState.cpp", '#include "core/devices/Recorder.h"')])
        self.set_layers(root, 'set(QUILLMOOR_LAYERS ground lang frame convert "formats editing"'
                              ' "devices app")')
        result = self.run_checker(root)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        self.assertIn("core/app and core/devices stand on one layer", result.stdout)

    def test_layers_that_cannot_be_read_stop_the_check_with_the_reason(self):
        cases = [
            ("no list", lambda root: self.set_layers(root, None), "QUILLMOOR_LAYERS"),
            ("an empty list", lambda root: self.set_layers(root, "set(QUILLMOOR_LAYERS )"),
             "QUILLMOOR_LAYERS"),
            ("no CMakeLists.txt", lambda root: os.remove(os.path.join(root, "CMakeLists.txt")),
             "CMakeLists.txt"),
        ]
        for what, spoil, words in cases:
            with self.subTest(what):
                root = self.copy_of_the_tree()
                spoil(root)
                result = self.run_checker(root)
                self.assertNotEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertIn(words, result.stderr)
                self.assertIn("cannot read" if what == "no CMakeLists.txt" else "has no set(",
                              result.stderr)


if __name__ == "__main__":
    unittest.main()
