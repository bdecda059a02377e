jmp nowhere
