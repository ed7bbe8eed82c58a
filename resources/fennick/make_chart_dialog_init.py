#!/usr/bin/python3
"""Writes ChartDialogInit.rc: the initial entries of the drop-down lists of the chart library's
dialogs, as RT_DLGINIT resources (type 240) named by their dialog's id. Run by hand after changing a
list; the build only compiles the result.

A record is the control's id (16 bits), the 16-bit add-string message 0x0403, the text's length with
its terminator (32 bits) and the text; a zero id ends the resource."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

GRAPH_STYLES = [
    "None", "Line plot", "Horizontal bar chart", "Vertical bar chart", "Pie chart", "Reserved (unused)",
    "Area under curve", "High - Low - Quotes", "Reserved (unused)", '3D bar chart "Manhattan"',
    '3D area chart "Rooftop"', "2D vertical stacked bar chart", "2D horizontal stacked bar chart",
    "3D pie chart", "Strata graph", "3D Vertical bars", "3D Horizontal bars", "3D Ribbon chart", "Web chart",
    "Scatter graph (alternate)", "Scatter graph (indeces)", "Scatter graph (groups)", "Reserved (unused)",
    "Area Web chart", "Area Stock (hi-lo-now)", "Freestyle", "Polar chart", "Polar chart (area fill)",
    "Candle chart", "Hi-Lo-Open-Close", "Gantt", "LineOnly", "Scatter-Alternate-EX", "Scatter-Index-EX",
    "Scatter-Group-EX", "Step", "Step-LineOnly", "Strata VBar", "Strata HBar", "Strata VBar (group)",
    "Strata HBar (group)", "Bubble (radius)", "Bubble (area)", "Vector (end)", "Vector (center)",
    "Vector (two points)", "Shaded Candle",
]
AXIS_STYLES = [
    "None", "Automatic axis selection", "Classic X,Y axis", "Reserved (unused)", "Platform (south-east)",
    "Platform (south-west)", "Stage (south east)", "Stage (south west)", "Reserved (unused)", "Pie chart",
    "Horizontal (yx)", "Classic 3D", "Classic (Y scale on the right)", "Classic 3D (y scale on the right)",
    "Web axis", "Scatter graph", "Classic 3D (Y,X)", "Polar chart axis", "Classic date scale",
    "Classic date scale (right handed)", "Classic 3D Date scale", "Classic 3D Date on right",
    "Date scale on 3D YX axis", "Date scale on YX axis", "Gantt chart with numeric scale",
    "Gantt chart with date scale",
]
LABEL_STYLES = [
    "None", "Automatic", "Value", "Percentage", "Combined value and percentage", "Annotation text",
    "Annotation and value", "Annotation, Value and Percenat", "Annotation and Percent",
    "Annotation, value and percentage", "Annotation and percentage", "Hide Labels (Label Block Style)",
    "Move Labels (Label Block Style)",
]
LEGEND_TYPES = [
    "No legend", "Automatic line legend", "Legend from Indeces", "Legend from Groups",
    "Legend from Rectangle (group and index)",
]
KEY_STYLES = [
    "No Key", "Automatic keys", "Line only", "Box ", "Wiget symbol", "Reserved #5", "Reserved #6",
    "Reserved #7", "Reserved #8", "Reserved #9", "Reserved #A", "Reserved #B", "Custom #C", "Custom #D",
    "Custom #E", "Custom #F",
]
OBJECTS = [
    "None", "Automatic", "Point", "Point with wiget", "Line", "2D Bar", "3D Bar", "Rod", "Area", "Slice",
    "Polygon Bar", "3D Line",
]
FRAMES = ["None", "Automatic", "Line", "Pattern", "Color"]
INTERIORS = ["None", "Automatic", "Color", "Vertical shade", "Horizontal shade", "Angled shade", "Resource",
             "Image", "Pattern"]
COMPONENT_KINDS = ["Background", "Data display", "Legend", "Title", "Label"]
# The chart wizard's fill choices (fill types 0, 1, 4, 5, 3, 2, 6) and a title's alignments.
WIZARD_FILLS = ["None", "Solid color", "Angled shade", "Resource image", "Horizontal shade", "Vertical shade",
                "Image file"]
ALIGNMENTS = ["Left", "Right", "Centred"]

# (dialog, [(control, entries)]), by the names of chart/ui/ChartEditIds.h and ChartWizardIds.h.
DIALOGS = [
    ("IDD_QVG_COMPONENT_CHOICE", [("IDC_QVG_COMPONENT_LIST", COMPONENT_KINDS)]),
    ("IDD_QVG_DISPLAY_STYLE", [("IDC_QVG_GRAPH_STYLE", GRAPH_STYLES), ("IDC_QVG_AXIS_STYLE", AXIS_STYLES),
                               ("IDC_QVG_LABEL_STYLE", LABEL_STYLES)]),
    ("IDD_QVG_LEGEND_EDIT", [("IDC_QVG_LEGEND_TYPE", LEGEND_TYPES), ("IDC_QVG_KEY_STYLE", KEY_STYLES)]),
    ("IDD_QVG_OBJECT_STYLE", [("IDC_QVG_OBJECT", OBJECTS), ("IDC_QVG_FRAME", FRAMES)]),
    ("IDD_QVG_INTERIOR_EDIT", [("IDC_QVG_INTERIOR", INTERIORS)]),
    ("IDD_QVG_WIZ_FILL", [("IDC_QVG_WIZ_FILL_CHOICE", WIZARD_FILLS)]),
    ("IDD_QVG_WIZ_FONT", [("IDC_QVG_WIZ_JUSTIFICATION", ALIGNMENTS)]),
]


def rc_string(text):
    return '"' + text.replace('"', '""') + '\\0"'


def main():
    lines = ["// Written by make_chart_dialog_init.py: the initial entries of the chart dialogs' lists.", ""]
    for dialog, controls in DIALOGS:
        lines.append(f"{dialog} 240")
        lines.append("BEGIN")
        for control, entries in controls:
            for entry in entries:
                lines.append(f"    {control}, 0x0403, {len(entry) + 1}L, {rc_string(entry)},")
        lines.append("    0")
        lines.append("END")
        lines.append("")
    with open(os.path.join(HERE, "ChartDialogInit.rc"), "w", newline="\n") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
