# Copies the glyph files of the folder SOURCE to DESTINATION when there is
# one; files that have not changed are left alone.
if(IS_DIRECTORY "${SOURCE}")
    file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}" FILES_MATCHING PATTERN "Ascii*.prg")
endif()
