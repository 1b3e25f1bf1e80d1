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
        """A copy of core/ and gui/ in a temporary folder, with the planted lines."""
        root = tempfile.mkdtemp(prefix="check-layout-")
        self.addCleanup(shutil.rmtree, root)
        for side in ("core", "gui"):
            shutil.copytree(os.path.join(SOURCE, side), os.path.join(root, side))
        for path, line in planted:
            plant(root, path, line)
        return root

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


if __name__ == "__main__":
    unittest.main()
