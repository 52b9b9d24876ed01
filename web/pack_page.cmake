# Puts the page together as one self-contained file: index.html with the
# style sheet, the module (its WebAssembly embedded), the page's scripts and
# the icon inside it. Nothing is fetched when the page opens.
#   cmake -DPAGE_DIR=… -DMODULE=idchart-page.js -DICON=idchart.svg -DOUT=idchart.html -P pack_page.cmake
file(READ ${PAGE_DIR}/index.html page)
file(READ ${PAGE_DIR}/style.css style)
# The page's scripts in the order they run: the chart's view and the
# weather overlay's entries before the page that uses them. A script must not
# hold "</script" inside it.
set(scripts view.js climate.js app.js)
set(app "")
foreach(script ${scripts})
  file(READ ${PAGE_DIR}/${script} text)
  string(REPLACE "</script" "<\\/script" text "${text}")
  string(APPEND app "<script>\n${text}</script>\n")
endforeach()
file(READ ${MODULE} module)
file(READ ${ICON} icon)

# The module is a script too.
string(REPLACE "</script" "<\\/script" module "${module}")
# The icon as a data address: the characters an address cannot hold escaped.
string(REPLACE "%" "%25" icon "${icon}")
string(REPLACE "\n" " " icon "${icon}")
string(REPLACE "#" "%23" icon "${icon}")
string(REPLACE "\"" "'" icon "${icon}")
string(REPLACE "<" "%3C" icon "${icon}")
string(REPLACE ">" "%3E" icon "${icon}")

string(REPLACE "<!--ICON-->" "<link rel=\"icon\" href=\"data:image/svg+xml,${icon}\">" page "${page}")
string(REPLACE "<!--STYLE-->" "<style>\n${style}</style>" page "${page}")
string(REPLACE "<!--MODULE-->" "<script>\n${module}</script>" page "${page}")
string(REPLACE "<!--APP-->" "${app}" page "${page}")
file(WRITE ${OUT} "${page}")
