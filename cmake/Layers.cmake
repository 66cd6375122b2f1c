# The layers of the house; cmake/CheckLayering.cmake (the ctest "layering")
# holds the code to them. Edit the tables here.
#
# layer_uses(DIR [USED...]): a production directory and the directories it may
# include besides itself. These are the directories the check scans.
layer_uses(runtime)
layer_uses(grid    runtime)
layer_uses(report  runtime)
layer_uses(gridprint runtime grid report)
layer_uses(skin    runtime)
layer_uses(data    runtime)
layer_uses(ui      runtime grid report skin data)
layer_uses(entry   runtime grid report skin data ui)
layer_uses(db      runtime)
layer_uses(host    runtime db)
layer_uses(tools   runtime report db)

# layer_order(LIBRARY "FOLDERS"): the folders of a library, lowest first, one
# level after another separated by "<". "." is the library's own top folder. A
# folder never includes one on a higher level; folders on one level are
# siblings, and siblings never include each other both ways. "a+b" ties folders
# that still include each other both ways into one knot: untie it and split it.
# A library with code in more than one folder needs a line, naming every one.
layer_order(runtime ". < db controls export")
layer_order(grid    "treelist < editors < columns < db")
layer_order(report  "texts < canvas < graphic < format < language < printer < model < data < stream < draw < pages < export < windows < print < engine")
layer_order(tools   "queue < rqtool")
