" Vekora lessons are *.vek files.
autocmd BufRead,BufNewFile *.vek setfiletype vekora
