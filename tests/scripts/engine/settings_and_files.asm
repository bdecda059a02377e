new int, n
new real, r
new string, s
call engine, getstack
pop n
call n, print
push 30.0
call engine, setfps
call engine, getloopdelay
pop n
call n, print
push 25.0
call engine, setfps
call engine, getloopdelay
pop n
call n, print
push 60.0
call engine, setfps
push 0.0
call engine, setfps
push -3.0
call engine, setfps
call engine, getloopdelay
pop n
call n, print
push 0
call engine, setloopdelay
call engine, getloopdelay
pop n
call n, print
call engine, getsavepath
pop s
call s, print
push "Appdata"
call engine, getspecialpath
pop s
call s, print
push "made"
call engine, mkdir
pop n
call n, print
push "made"
call engine, mkdir
pop n
call n, print
push "missing/child"
call engine, mkdir
pop n
call n, print
push "made"
call engine, chdir
pop n
call n, print
push "missing"
call engine, chdir
pop n
call n, print
push "../scripts/game"
call engine, fileexist
pop n
call n, print
push "nosuchfile"
call engine, fileexist
pop n
call n, print
push "touch made_by_system"
call engine, system
push "made_by_system"
call engine, fileexist
pop n
call n, print
push "s"
call engine, varexist
pop n
call n, print
push "nosuch"
call engine, varexist
pop n
call n, print
call engine, actclassname
pop s
call s, print
call engine, getxandro
pop n
call n, print
push 77
call engine, removesnd
call engine, setvideomode
pop n
call n, print
push "dropped"
call engine, print
call engine, getappsize
pop n
call n, print
pop n
call n, print
call engine, getscreenres
pop n
call n, print
pop n
call n, print
call engine, getscreensize
pop n
call n, print
pop n
call n, print
call engine, getscreenscale
pop r
call r, print
pop r
call r, print
call engine, getscreenoffset
pop n
call n, print
pop n
call n, print
call engine, islocalmusic
pop n
call n, print
call engine, getactmusic
pop s
call s, print
call engine, ismusicplaying
pop n
call n, print
push 40
call engine, setmusicvol
call engine, getmusicvol
pop n
call n, print
push "somewhere/"
call engine, setpath
call engine, refresh
call engine, sortimages
call engine, redraw
call engine, redrawnoblit
call engine, getstack
pop n
call n, print
