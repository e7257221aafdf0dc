@echo off
rem Starts the VARNOLE main menu on the demo network of simulated hosts (demo-network.txt beside
rem this file). The programs need administrator rights, and only a command prompt that already
rem runs as an administrator hands them the demo network: Windows starts an elevated program
rem with a fresh environment.
fltmc >nul 2>&1
if errorlevel 1 goto not_admin
set "VARNOLE_SIMULATION=%~dp0demo-network.txt"
cd /d "%~dp0.."
start "" "%CD%\VARNOLE.exe"
exit /b 0

:not_admin
echo このファイルを右クリックして [管理者として実行] を選んでください。
echo Right-click this file and choose "Run as administrator".
pause
exit /b 1
