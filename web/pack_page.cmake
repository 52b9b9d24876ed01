# Puts the page together as one self-contained file: index.html with the
# style sheet, the module (its WebAssembly embedded), the page's script and
# the icon inside it. Nothing is fetched when the page opens.
#   cmake -DPAGE_DIR=… -DMODULE=idchart-page.js -DICON=idchart.svg -DOUT=idchart.html -P pack_page.cmake
file(READ ${PAGE_DIR}/index.html page)
file(READ ${PAGE_DIR}/style.css style)
file(READ ${PAGE_DIR}/app.js app)
file(READ ${MODULE} module)
file(READ ${ICON} icon)

# A script must not hold "</script" inside it.
foreach(part module app)
  string(REPLACE "</script" "<\\/script" ${part} "${${part}}")
endforeach()
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
string(REPLACE "<!--APP-->" "<script>\n${app}</script>" page "${page}")
file(WRITE ${OUT} "${page}")
