# bash completion for hexloom                                 -*- shell-script -*-
#
# Offers the options, short and long, and file names for FILE arguments.
# After a container's colon ("image.d64:", "disk.g64:", "games.t64:",
# "game.p00:", "games.lnx:") nothing is offered: names inside a container
# and a disk's sectors ("image.d64:@18/0", "image.d64:GAME@") are not
# completed.
# Works with or without the bash-completion package.

_hexloom()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}

    local source_formats='acme ca65 64tass xa c basic'

    # With "=" among the word breaks, "--width=8" arrives as "--width" "=" "8":
    # only the values of --source and --pixels are known, the others are
    # never completed.
    if [[ $cur == = || $prev == = ]]; then
        local option value=$cur
        [[ $cur == = ]] && value=
        if [[ $cur == = ]]; then option=$prev; else option=${COMP_WORDS[COMP_CWORD - 2]}; fi
        case $option in
            --source) mapfile -t COMPREPLY < <(compgen -W "$source_formats" -- "$value") ;;
            --pixels) mapfile -t COMPREPLY < <(compgen -W "mc" -- "$value") ;;
            *) COMPREPLY=() ;;
        esac
        return
    fi

    # Names inside a container ("t.d64:NAME", "t.t64:NAME") are not completed, nor file
    # names after the colon: with ":" among the word breaks (as bash has it)
    # the colon arrives as a word of its own, without it inside the word.
    if [[ $cur == *:* || $prev == : ]]; then
        COMPREPLY=()
        return
    fi

    local long_options='--load --start --len --seek --width --squeeze --0x --turbo
        --hex-upper --bits --pixels --pixels=mc --color --lowercase --unicode --ascii
        --Epath --Enewline --raw --source --reverse --list --verbose --quiet --version --help
        --warranty'
    local short_options='-L -S -l -s -w -a -H -C -c -U -r -v -q -?'

    # Numbers (addresses, counts, widths) cannot be guessed: offer nothing.
    case $prev in
        --source)
            mapfile -t COMPREPLY < <(compgen -W "$source_formats" -- "$cur")
            return
            ;;
        -S | --start | -l | --len | -s | --seek | -w | --width | --debug)
            COMPREPLY=()
            return
            ;;
    esac

    # After "--" every word is a FILE.
    local i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -- ]]; then
            _hexloom_files "$cur"
            return
        fi
    done

    case $cur in
        --*)
            mapfile -t COMPREPLY < <(compgen -W "$long_options" -- "$cur")
            ;;
        -*)
            mapfile -t COMPREPLY < <(compgen -W "$short_options $long_options" -- "$cur")
            ;;
        *)
            _hexloom_files "$cur"
            ;;
    esac
}

# Completes file and directory names, quoting them as the shell needs.
_hexloom_files()
{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

complete -F _hexloom hexloom
