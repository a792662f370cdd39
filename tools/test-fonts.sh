# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the stages that run the test suites: the Debian packages of the
# desktop fonts the readability test lays the windows out with, and
# poppler-utils, whose pdftotext reads the limiter sheet's PDF back.
test_fonts=(fonts-dejavu-core fonts-noto-core fonts-liberation2 fonts-cantarell poppler-utils)
