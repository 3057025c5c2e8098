# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the running share of cars that the program konvergenz prints: one panel for three
# doors and one for seven, each strategy against its exact value. Distinguishable in
# black and white (line pattern and marker) and for colour-blind readers (Okabe-Ito
# blue and vermilion).
#   gnuplot -e "data='games.tsv'; out='konvergenz.svg'" tools/konvergenz.gp
set terminal svg size 1000,600 font "sans-serif,14" background "white"
set output out
set encoding utf8
set datafile separator "\t"
set decimalsign ","

set xrange [0:1000]
set yrange [0:100]
set xtics 0, 200, 1000
set ytics 0, 10, 100
set mxtics 2
set grid xtics ytics linecolor rgb "#d9d9d9" dashtype solid
set xlabel "Anzahl der Spiele"
set ylabel "Anteil der Autos in %"
set key outside below vertical maxrows 4 spacing 1.3 samplen 4 height 1.5

keep = "linecolor rgb '#D55E00' linewidth 2 dashtype (8,4) pointtype 9 pointsize 1.1 pointinterval 100"
change = "linecolor rgb '#0072B2' linewidth 2 dashtype solid pointtype 7 pointsize 0.9 pointinterval 100"
exact = "linecolor rgb 'black' linewidth 1.2 dashtype (2,3)"

set multiplot layout 1, 2 title "Anteil der Autos nach jedem Spiel, mit dem genauen Wert" font ",16"
set title "3 Türen"
plot data using 1:2 with linespoints @keep title "Tür beibehalten", \
     data using 1:4 with linespoints @change title "neue Tür wählen", \
     data using 1:3 with lines @exact title columnheader(3), \
     data using 1:5 with lines @exact title columnheader(5)
set title "7 Türen"
set ylabel ""
plot data using 1:6 with linespoints @keep title "Tür beibehalten", \
     data using 1:8 with linespoints @change title "neue Tür wählen", \
     data using 1:7 with lines @exact title columnheader(7), \
     data using 1:9 with lines @exact title columnheader(9)
unset multiplot
