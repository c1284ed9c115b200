; hello.prg - a tiny Commodore 64 program to try hexloom on.
; Assemble with:  acme hello.asm     (in this directory: acme writes hello.prg
;                                     into the current directory)
; Load and run on a C64 (or an emulator) with LOAD"HELLO",8 and RUN.

        !to "hello.prg", cbm            ; cbm: the file starts with its load address
        * = $0801                       ; start of BASIC memory

; BASIC line "10 SYS2061", so that RUN starts the machine code below.
        !word basic_end                 ; link to the next BASIC line
        !word 10                        ; line number
        !byte $9e                       ; SYS token
        !text "2061"                    ; decimal address of start
        !byte 0                         ; end of line
basic_end
        !word 0                         ; end of program

CHROUT = $ffd2                          ; KERNAL: print the character in A

start
        !if start != 2061 { !error "the SYS address in the BASIC line is wrong" }
        ldx #0
-       lda message,x
        beq done
        jsr CHROUT
        inx
        bne -
done    rts

message
        !byte 147                       ; clear the screen
        !pet "hello from hexloom!", 13  ; shown in capitals on a C64
        !byte 0
