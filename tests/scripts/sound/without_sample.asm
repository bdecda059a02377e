; A sound without a sample: volumes, the load flags and "loaded", and plays
; that start nothing (so no "onstart").
new int, n
new string, s
new snd, bang
push "onstart"
push "started"
call bang, addmethod
call engine, isaudio
pop n
call n, print
call bang, getvol
pop n
call n, print
push 40
call bang, setvol
push 10
call bang, changevol
call bang, getvol
pop n
call n, print
call bang, loaded
pop n
call n, print
push "scripts/missing.wav"
call bang, load
call bang, loaded
pop n
call n, print
call bang, play
call bang, playif
call bang, playloop
call bang, isplaying
pop n
call n, print
push 0
push 0
call bang, setstartstopflag
push "scripts/missing.wav"
call bang, load
call bang, loaded
pop n
call n, print
push "scripts/game"
call bang, load
call bang, loaded
pop n
call n, print
push "scripts"
call bang, load
call bang, loaded
pop n
call n, print
call bang, play
call bang, isplaying
pop n
call n, print
push 1
call bang, stop
call bang, pause
call bang, resume
call bang, loop
delete bang
call engine, getstack
pop n
call n, print
method started
  mov s, "started"
  call s, print
end method
