# fish completion for hexloom: the options, short and long; FILE arguments
# are completed as files, fish's default for words that are not options.

complete -c hexloom -s L -l load -d 'Regard first two bytes as a load (start) address'
complete -c hexloom -s S -l start -x -d 'Set/override the start address to A'
complete -c hexloom -s l -l len -x -d 'Stop after outputting L bytes'
complete -c hexloom -s s -l seek -x -d 'Skip S bytes before outputting (-N: start N bytes before the end)'
complete -c hexloom -s w -l width -x -a '8 16 32' -d 'Output W bytes per line'
complete -c hexloom -s a -l squeeze -d "Output a run of lines equal to the one before as one line '*'"
complete -c hexloom -l 0x -d 'Output hexadecimal using C-style 0x form'
complete -c hexloom -l turbo -d 'Output hexadecimal using Turbo-style $ form'
complete -c hexloom -s H -l hex-upper -d 'Output hexadecimal in uppercase'
complete -c hexloom -s C -l color -d 'Colorize all output where applicable'
complete -c hexloom -s c -l lowercase -d 'Emit PETSCII as if in lower/upper mode'
complete -c hexloom -s U -l unicode -d 'Emit PETSCII as Unicode regardless of tty capabilities'
complete -c hexloom -l ascii -d 'Emit PETSCII as US-ASCII regardless of tty capabilities'
complete -c hexloom -l Epath -d 'Emit the FILE path/name before the output'
complete -c hexloom -l Enewline -d 'Emit new lines between FILE output'
complete -c hexloom -l raw -d 'Output the bytes themselves, without address or text column'
complete -c hexloom -s v -l verbose -d 'Cancel --quiet (no effect of its own)'
complete -c hexloom -s q -l quiet -d 'Omit warnings (-qq) and errors (-qqq); the dump is always written'
complete -c hexloom -l version -d 'Show version, credits, and licensing summary, then exit'
complete -c hexloom -s '?' -l help -d 'Show this help text, then exit'
complete -c hexloom -l warranty -d 'Show disclaimer of warranty, then exit'
