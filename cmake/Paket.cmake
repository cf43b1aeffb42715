# Desktop integration and the Debian package.
#
# `cmake --install build --prefix P` lays out, besides bin/zelvora and share/zelvora/:
#   share/applications/zelvora.desktop           the menu entry
#   share/icons/hicolor/<B>x<B>/apps/zelvora.png the icon, drawn at each size
#   share/metainfo/<id>.metainfo.xml             AppStream data for software centres
#   share/man/man1/zelvora.1.gz, share/man/tr/man1/zelvora.1.gz
#   share/doc/zelvora/copyright, changelog.gz
#   share/doc/zelvora/kilavuz/                   the user's guide (HTML), opened by the help menu,
#                                                registered in share/doc-base/
# `cpack -G DEB` in the build folder packs the same tree under /usr into
# zelvora_<version>_<arch>.deb.

set(ZELVORA_KURULUM ${CMAKE_SOURCE_DIR}/src/resources/kurulum)
set(ZELVORA_APPSTREAM_KIMLIGI example.tavrek.zelvora)

# The maker's site and support address of the build options, in every place that names
# them: the about and error-report windows (Surum.h), the package's Homepage and
# Maintainer, the AppStream data and the copyright file. The site without a closing "/",
# as the windows use it; "&" written for XML.
string(REGEX REPLACE "/+$" "" ZELVORA_WEB_SITESI_KOKU "${ZELVORA_WEB_SITESI}")
string(STRIP "${ZELVORA_WEB_SITESI_KOKU}" ZELVORA_WEB_SITESI_KOKU)
string(STRIP "${ZELVORA_DESTEK_EPOSTASI}" ZELVORA_DESTEK_EPOSTASI)
string(REPLACE "&" "&amp;" ZELVORA_WEB_SITESI_XML "${ZELVORA_WEB_SITESI_KOKU}")
# The holiday data's version, as the generated table names it.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/resources/Tatiller.txt zelvora_tatil_satiri REGEX "date-holidays [0-9.]+" LIMIT_COUNT 1)
string(REGEX MATCH "date-holidays ([0-9.]+[0-9])" zelvora_tatil_satiri "${zelvora_tatil_satiri}")
set(ZELVORA_TATIL_VERISI_SURUMU ${CMAKE_MATCH_1})
configure_file(${ZELVORA_KURULUM}/${ZELVORA_APPSTREAM_KIMLIGI}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/kurulum/${ZELVORA_APPSTREAM_KIMLIGI}.metainfo.xml @ONLY)
configure_file(${ZELVORA_KURULUM}/copyright.in ${CMAKE_BINARY_DIR}/kurulum/copyright @ONLY)

install(FILES ${ZELVORA_KURULUM}/zelvora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${ZELVORA_KURULUM}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_BINARY_DIR}/kurulum/${ZELVORA_APPSTREAM_KIMLIGI}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the change log go compressed, without the time stamp gzip would put in.
find_program(ZELVORA_GZIP gzip REQUIRED)
set(ZELVORA_SIKISTIRILMIS)
foreach(kaynak_hedef IN ITEMS "zelvora.1|zelvora.1.gz" "zelvora.tr.1|tr/zelvora.1.gz" "changelog|changelog.gz")
  string(REPLACE "|" ";" ikili ${kaynak_hedef})
  list(GET ikili 0 kaynak)
  list(GET ikili 1 hedef)
  set(cikti ${CMAKE_BINARY_DIR}/kurulum/${hedef})
  get_filename_component(klasor ${cikti} DIRECTORY)
  add_custom_command(OUTPUT ${cikti}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${klasor}
    COMMAND ${ZELVORA_GZIP} -9 -n -c ${ZELVORA_KURULUM}/${kaynak} > ${cikti}
    DEPENDS ${ZELVORA_KURULUM}/${kaynak}
    VERBATIM)
  list(APPEND ZELVORA_SIKISTIRILMIS ${cikti})
endforeach()
add_custom_target(kurulum_belgeleri ALL DEPENDS ${ZELVORA_SIKISTIRILMIS})
install(FILES ${CMAKE_BINARY_DIR}/kurulum/zelvora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/kurulum/tr/zelvora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/tr/man1)
install(FILES ${CMAKE_BINARY_DIR}/kurulum/copyright ${CMAKE_BINARY_DIR}/kurulum/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvora)
install(FILES ${ZELVORA_KILAVUZ} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvora/kilavuz)
# Registered with doc-base, so the system's documentation browsers list it.
install(FILES ${ZELVORA_KURULUM}/zelvora-kilavuz.doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base
  RENAME zelvora.zelvora-kilavuz)

# The executable as Debian hardens its programs: the whole relocation table read-only.
target_link_options(zelvora PRIVATE LINKER:-z,relro LINKER:-z,now)
# A stripped install (cpack, cmake --install --strip) also drops the compiler's notes.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zelvora\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvora)
set(CPACK_PACKAGE_VENDOR Tavrek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavrek <${ZELVORA_DESTEK_EPOSTASI}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME zelvora)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELVORA_WEB_SITESI_KOKU}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the executable links are found by dpkg-shlibdeps; the X11 platform
# plugin comes with libqt6gui6, which they pull in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Printing goes through CUPS; the alarm plays through a PulseAudio server (PipeWire's
# or PulseAudio itself); Qt's own Turkish texts for its dialogs and context menus; a
# native window on a Wayland desktop (otherwise it runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, pipewire-pulse | pulseaudio, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[job and appointment agenda with reminders / hatırlatmalı ajanda
Zelvora is a desktop agenda for people whose work runs on dates: lawyers
with hearings and appeal deadlines, offices with appointments. It keeps a
daily list of jobs in a folder tree, reminds the user on the minute with a
looping alarm, lists, prints and searches jobs, calculates deadlines and
keeps a daily backup of its database. Its user interface is Turkish.

Zelvora, işleri tarihe bağlı olanlar için bir masaüstü ajandasıdır:
duruşmaları ve itiraz süreleri olan avukatlar, randevularla çalışan
bürolar. Günlük işleri bir klasör ağacında tutar, zamanı gelen işi
dakikasında yinelenen bir alarmla hatırlatır, işleri listeler, yazdırır
ve arar, süre hesaplar ve veritabanının günlük yedeğini alır.]=])
include(CPack)
