// Resource ids of the chart library: string-table texts and bitmaps. Plain #defines so that the
// resource script includes this header too.
#pragma once

// Messages of the library.
#define IDS_QVG_TEMPLATE_SYNTAX         21601
#define IDS_QVG_TEMPLATE_NOT_FOUND      21602
#define IDS_QVG_TEMPLATE_LOCK           21603
#define IDS_QVG_HILO_ALLOC              21604
#define IDS_QVG_BUFFER_ALLOC            21605
#define IDS_QVG_BUFFER_REALLOC          21606
#define IDS_QVG_BUFFER_ACCESS           53571

// Chart exception messages (the code-to-id table lives with the exception).
#define IDS_QVG_ERR_NO_INFO             53512
#define IDS_QVG_ERR_DESCRIPTION         53560
#define IDS_QVG_ERR_GROUP_RANGE         53561
#define IDS_QVG_ERR_INDEX_RANGE         53562
#define IDS_QVG_ERR_DYNAMIC             53563
#define IDS_QVG_ERR_INCOMPATIBLE_DATA   53564
#define IDS_QVG_ERR_NO_BUFFER           53513
#define IDS_QVG_ERR_NULL_VALUE          53524
#define IDS_QVG_ERR_TPL_COMPONENT       53565
#define IDS_QVG_ERR_TPL_FILL            53566
#define IDS_QVG_ERR_TPL_FONT            53567
#define IDS_QVG_ERR_TPL_LEGEND          53511
#define IDS_QVG_ERR_TPL_DATA            53568
#define IDS_QVG_ERR_TPL_UNKNOWN         53569
#define IDS_QVG_ERR_TPL_BORDER          53570
#define IDS_QVG_ERR_DATA_TYPE           53514
#define IDS_QVG_ERR_TPL_COMMAND         53515
#define IDS_QVG_ERR_LABEL_AREA          53516
#define IDS_QVG_ERR_OUTSIDE_DRAW        53519
#define IDS_QVG_ERR_POLYGON             53520
#define IDS_QVG_ERR_SYMBOL              53518
#define IDS_QVG_ERR_GRAPH_TYPE          53521
#define IDS_QVG_ERR_LOG_SCALE           53522
#define IDS_QVG_ERR_EVEN_COUNT          53523
#define IDS_QVG_ERR_UNDEFINED           53517

// Component type ids: their texts name the component classes.
#define IDS_QVG_COMPONENT               53526
#define IDS_QVG_BACKGROUND              53527
#define IDS_QVG_DISPLAY                 53528
#define IDS_QVG_TITLE                   53529
#define IDS_QVG_LEGEND                  53530
#define IDS_QVG_LABEL                   53531
#define IDS_QVG_LABEL_BLOCK             53532
#define IDS_QVG_TEXT_PANEL              53533
#define IDS_QVG_DATA_WATCHER            53534
#define IDS_QVG_COMPOUND_COMPONENT      53535
#define IDS_QVG_COMPOUND_DISPLAY        53537
#define IDS_QVG_AXIS_MANAGER            53538
#define IDS_QVG_GRID_LINES              53539
#define IDS_QVG_TICK_MARKS              53540
#define IDS_QVG_DECIMAL_SCALE           53541
#define IDS_QVG_INDEX_SCALE             53543
#define IDS_QVG_GROUP_SCALE             53544
#define IDS_QVG_DATE_SCALE              53545

// Names of the symbols that shape type 1 picks by colour code (53546 + code & 7).
#define IDS_QVG_SYMBOL_FIRST            53546

// Bitmaps: box-face overlays, the picture of a display that draws no graph, the shadow pattern and
// the default line pattern.
#define IDB_QVG_BOX_TOP                 21558
#define IDB_QVG_BOX_SIDE                21559
#define IDB_QVG_NO_GRAPH                21560
#define IDB_QVG_SHADOW                  21561
#define IDB_QVG_PATTERN                 21609
